// The routine behind the group-message entry: decides in a fixed order
// whether a message is a command and of which level, carries it out, or
// hands an ordinary member's message in a switched-on group to blacklist
// enforcement and keyword screening. Returns the text for the host to post,
// the empty text, or "[noreply]".
#ifndef TARVOLO_MODERATION_DISPATCHER_H_
#define TARVOLO_MODERATION_DISPATCHER_H_

#include "moderation/context.h"
#include "text/gbk_text.h"

namespace tarvolo {

// `message` is replaced by its normalised form, on which every later step
// works. `extra` is accepted and never read.
GbkText dispatch_group_message(const ModerationContext& context, GbkText& message,
                               const GbkText& kind, const GbkText& group, const GbkText& sender,
                               const GbkText& extra);

}  // namespace tarvolo

#endif  // TARVOLO_MODERATION_DISPATCHER_H_
