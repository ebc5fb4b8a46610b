// Keyword screening of an ordinary member's message and its sanctions.
#ifndef TARVOLO_MODERATION_SCREENING_H_
#define TARVOLO_MODERATION_SCREENING_H_

#include "moderation/context.h"
#include "pattern/pattern_object.h"
#include "text/gbk_text.h"

namespace tarvolo {

// "[noreply]" after removing the sender or opening a vote (having posted the
// notice itself), the empty text otherwise.
GbkText screen_message(const ModerationContext& context, const GbkText& message,
                       const GbkText& group, const GbkText& sender, PatternObject& patterns);

}  // namespace tarvolo

#endif  // TARVOLO_MODERATION_SCREENING_H_
