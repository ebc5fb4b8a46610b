// Placeholder until this step is built: it does nothing and leaves the
// reply empty.
#include "moderation/screening.h"

namespace tarvolo {

GbkText screen_message(const ModerationContext&, const GbkText&, const GbkText&, const GbkText&,
                       PatternObject&) {
  return GbkText();
}

}  // namespace tarvolo
