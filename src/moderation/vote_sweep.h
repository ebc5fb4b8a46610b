// Closing of removal votes five minutes after they began, run on every tick
// of the main window's timer.
#ifndef TARVOLO_MODERATION_VOTE_SWEEP_H_
#define TARVOLO_MODERATION_VOTE_SWEEP_H_

#include "moderation/context.h"

namespace tarvolo {

void sweep_expired_votes(const ModerationContext& context);

}  // namespace tarvolo

#endif  // TARVOLO_MODERATION_VOTE_SWEEP_H_
