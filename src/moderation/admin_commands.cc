// Placeholder until this step is built: it does nothing and leaves the
// reply empty.
#include "moderation/admin_commands.h"

namespace tarvolo {

std::optional<GbkText> handle_admin_command(const ModerationContext&, const GbkText&,
                                            const GbkText&) {
  return std::nullopt;
}

}  // namespace tarvolo
