// config/任务队列.ini: the open removal votes, one section per member under a
// vote (named by the member's QQ number), shared by all groups.
//
//   [111]
//   群号=222            the group in which the vote was opened
//   类型=投票移除
//   时间=2013年11月3日12时5分6秒
//   获得票数=1          votes for minus votes against
//   投票人=333,         every voter, in the order of voting
#ifndef TARVOLO_STORE_VOTE_QUEUE_FILE_H_
#define TARVOLO_STORE_VOTE_QUEUE_FILE_H_

#include <vector>

#include "store/config_dir.h"
#include "text/gbk_text.h"

namespace tarvolo {

extern const char kVoteGroupKey[];    // "群号"
extern const char kVoteTypeKey[];     // "类型"
extern const char kVoteTimeKey[];     // "时间"
extern const char kVoteTallyKey[];    // "获得票数"
extern const char kVotersKey[];       // "投票人"
extern const char kRemovalVoteType[]; // "投票移除"

class VoteQueueFile {
 public:
  explicit VoteQueueFile(const ConfigDir& config);

  // The members with an open vote, in file order.
  std::vector<GbkText> list_vote_tasks() const;
  GbkText read_vote_field(const GbkText& member, const GbkText& key) const;
  // Writes 群号, 类型, 时间 (the current local time) and 获得票数 = 0;
  // nothing when the member or the group holds a line break.
  void create_vote_task(const GbkText& member, const GbkText& group) const;
  // Adds delta (+1 or -1) to the tally and appends the voter. False, and
  // nothing written, when the vote cannot be stored (a line break in the
  // member or the voter, or a voter list that would outgrow what a read
  // returns whole). A write the platform refuses is not reported.
  bool record_vote(const GbkText& member, const GbkText& voter, int delta) const;
  bool has_voted(const GbkText& member, const GbkText& voter) const;
  void delete_vote_task(const GbkText& member) const;

 private:
  Env& env_;
  GbkText path_;
};

}  // namespace tarvolo

#endif  // TARVOLO_STORE_VOTE_QUEUE_FILE_H_
