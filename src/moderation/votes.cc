// Placeholder until this step is built: it does nothing and leaves the
// reply empty.
#include "moderation/votes.h"

namespace tarvolo {

GbkText handle_vote_command(const ModerationContext&, const GbkText&, const GbkText&,
                            const GbkText&, const GbkText&) {
  return GbkText();
}

}  // namespace tarvolo
