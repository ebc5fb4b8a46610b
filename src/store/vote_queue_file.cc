#include "store/vote_queue_file.h"

#include "store/profile_access.h"
#include "store/vote_time.h"

namespace tarvolo {

const char kVoteGroupKey[] = "群号";
const char kVoteTypeKey[] = "类型";
const char kVoteTimeKey[] = "时间";
const char kVoteTallyKey[] = "获得票数";
const char kVotersKey[] = "投票人";
const char kRemovalVoteType[] = "投票移除";

namespace {
const char kFileName[] = "任务队列.ini";
}  // namespace

VoteQueueFile::VoteQueueFile(const ConfigDir& config)
    : env_(*config.env), path_(config.file(kFileName)) {}

std::vector<GbkText> VoteQueueFile::list_vote_tasks() const {
  return list_profile_sections(env_, path_);
}

GbkText VoteQueueFile::read_vote_field(const GbkText& member, const GbkText& key) const {
  return read_profile_value(env_, path_, member, key);
}

void VoteQueueFile::create_vote_task(const GbkText& member, const GbkText& group) const {
  // All four keys or none: a task without its group or time could neither
  // be counted nor expire.
  if (has_line_break(member) || has_line_break(group)) return;
  write_profile_value(env_, path_, member, kVoteGroupKey, group);
  write_profile_value(env_, path_, member, kVoteTypeKey, kRemovalVoteType);
  write_profile_value(env_, path_, member, kVoteTimeKey, format_vote_time(env_.local_time_now()));
  write_profile_value(env_, path_, member, kVoteTallyKey, "0");
}

bool VoteQueueFile::record_vote(const GbkText& member, const GbkText& voter, int delta) const {
  // Everything is checked before the tally changes, so that a vote is
  // either counted with its voter or not at all.
  const GbkText voters = read_vote_field(member, kVotersKey);
  if (has_line_break(member) || has_line_break(voter) || !qq_list_has_room(voters, voter)) {
    return false;
  }
  // Summed in 64 bits: a tally read as the largest int still gets its vote
  // written as a number, and reads back clamped.
  const long long tally = static_cast<long long>(text_to_int(read_vote_field(member, kVoteTallyKey)));
  write_profile_value(env_, path_, member, kVoteTallyKey, int_to_text(tally + delta));
  write_profile_value(env_, path_, member, kVotersKey, qq_list_append(voters, voter));
  return true;
}

bool VoteQueueFile::has_voted(const GbkText& member, const GbkText& voter) const {
  return qq_list_contains(read_vote_field(member, kVotersKey), voter);
}

void VoteQueueFile::delete_vote_task(const GbkText& member) const {
  delete_profile_section(env_, path_, member);
}

}  // namespace tarvolo
