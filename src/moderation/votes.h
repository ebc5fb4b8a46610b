// Removal votes: opening one with its announcement, and the members' votes
// "#赞同" (for removal) and "#反对" (against).
#ifndef TARVOLO_MODERATION_VOTES_H_
#define TARVOLO_MODERATION_VOTES_H_

#include "moderation/context.h"
#include "text/gbk_text.h"

namespace tarvolo {

// Opens the vote task on `member` and posts the announcement in `group`.
// False, and nothing posted, when the task could not be stored (a member or
// group text that holds a line break, or a write the platform refused): no
// vote is announced that nobody could cast.
bool start_vote(const ModerationContext& context, const GbkText& member, const GbkText& group);

// One vote by `voter` on `member`, sent in `group`; `command` is "#赞同" or
// "#反对". Returns the reply for the host to post.
GbkText handle_vote_command(const ModerationContext& context, const GbkText& command,
                            const GbkText& member, const GbkText& voter, const GbkText& group);

}  // namespace tarvolo

#endif  // TARVOLO_MODERATION_VOTES_H_
