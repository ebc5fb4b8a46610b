// Placeholder until this step is built: it does nothing and leaves the
// reply empty.
#include "moderation/blacklist_enforcement.h"

namespace tarvolo {

std::optional<GbkText> enforce_blacklist(const ModerationContext&, const GbkText&,
                                         const GbkText&) {
  return std::nullopt;
}

}  // namespace tarvolo
