// Placeholder until this step is built: it does nothing and leaves the
// reply empty.
#include "moderation/blacklist_commands.h"

namespace tarvolo {

std::optional<GbkText> handle_blacklist_command(const ModerationContext&, const GbkText&,
                                                const GbkText&) {
  return std::nullopt;
}

}  // namespace tarvolo
