#include "moderation/votes.h"

#include <algorithm>
#include <vector>

#include "moderation/member_removal.h"
#include "store/settings_file.h"
#include "store/vote_queue_file.h"

namespace tarvolo {
namespace {

const char kVoteForCommand[] = "#赞同";

const char kOwnVoteReply[] = "无法给自己投票！";
const char kNoOpenVoteReply[] = "此人并没有在投票阶段！";
const char kAlreadyVotedReply[] = "你已经投过票了！";
// The vote could not be stored with its voter: the voter list has reached
// what one read of a stored value returns (some 900 voters), or the voter's
// number holds a line break, which no QQ number does. The vote is not
// counted.
const char kVoteNotStoredReply[] = "投票人数已满，无法投票！";

GbkText announcement(const GbkText& member, const GbkText& limit_text) {
  return "【Tarvolo】：\r\nQQ：" + member +
         " 因检测到您发送了非法关键词，特此进行投票移除！\r\n当前票数：0/" + limit_text +
         "\r\n发送\"#赞同 " + member + "\"赞同T出此人\r\n发送\"#反对 " + member +
         "\"反对T出此人\r\nPS.身处裁决阶段，再次发送非法关键词将被直接移除！";
}

GbkText counted_reply(const GbkText& member, int tally, const GbkText& limit_text) {
  return "投票成功！\r\n当前QQ：" + member + " 的票数为：" + int_to_text(tally) + "/" + limit_text;
}

GbkText removal_reply(const GbkText& member) {
  return "【Tarvolo】\r\nQQ：" + member + "因涉嫌发送非法关键词，经群友们神圣的判决，已经被T出本群！";
}

}  // namespace

bool start_vote(const ModerationContext& context, const GbkText& member, const GbkText& group) {
  const VoteQueueFile queue(context.config);
  queue.create_vote_task(member, group);
  if (queue.read_vote_field(member, kVoteTypeKey) != kRemovalVoteType) return false;

  const GbkText limit_text = SettingsFile(context.config).read_group_setting(group, kVoteLimitKey);
  context.host->post_group_message(group, announcement(member, limit_text));
  return true;
}

GbkText handle_vote_command(const ModerationContext& context, const GbkText& command,
                            const GbkText& member, const GbkText& voter, const GbkText& group) {
  if (member == voter) return kOwnVoteReply;

  const VoteQueueFile queue(context.config);
  const std::vector<GbkText> voted_on = queue.list_vote_tasks();
  if (std::find(voted_on.begin(), voted_on.end(), member) == voted_on.end()) {
    return kNoOpenVoteReply;
  }
  if (queue.has_voted(member, voter)) return kAlreadyVotedReply;

  const bool in_favour = command == kVoteForCommand;
  if (!queue.record_vote(member, voter, in_favour ? +1 : -1)) return kVoteNotStoredReply;
  const int tally = text_to_int(queue.read_vote_field(member, kVoteTallyKey));

  const SettingsFile settings(context.config);
  if (in_favour) {
    // The task's own group decides, wherever the vote was cast.
    const GbkText task_group = queue.read_vote_field(member, kVoteGroupKey);
    const int threshold = text_to_int(settings.read_group_setting(task_group, kVoteLimitKey));
    if (tally >= threshold) {
      remove_member(context, queue.read_vote_field(member, kVoteGroupKey), member);
      return removal_reply(member);
    }
  }
  // The reply shows the limit as stored for the group the vote was cast in.
  return counted_reply(member, tally, settings.read_group_setting(group, kVoteLimitKey));
}

}  // namespace tarvolo
