// Placeholders for the dispatcher steps that are not built yet: each does
// nothing and leaves the reply empty.
#include "moderation/admin_commands.h"
#include "moderation/blacklist_commands.h"
#include "moderation/blacklist_enforcement.h"
#include "moderation/screening.h"
#include "moderation/votes.h"

namespace tarvolo {

std::optional<GbkText> handle_admin_command(const ModerationContext&, const GbkText&,
                                            const GbkText&) {
  return std::nullopt;
}

std::optional<GbkText> handle_blacklist_command(const ModerationContext&, const GbkText&,
                                                const GbkText&) {
  return std::nullopt;
}

std::optional<GbkText> enforce_blacklist(const ModerationContext&, const GbkText&,
                                         const GbkText&) {
  return std::nullopt;
}

GbkText handle_vote_command(const ModerationContext&, const GbkText&, const GbkText&,
                            const GbkText&, const GbkText&) {
  return GbkText();
}

GbkText screen_message(const ModerationContext&, const GbkText&, const GbkText&, const GbkText&,
                       PatternObject&) {
  return GbkText();
}

}  // namespace tarvolo
