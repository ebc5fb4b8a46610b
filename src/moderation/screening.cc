#include "moderation/screening.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "moderation/member_removal.h"
#include "moderation/votes.h"
#include "store/keyword_list_file.h"
#include "store/settings_file.h"
#include "store/vote_queue_file.h"

namespace tarvolo {
namespace {

// Wrapped around every keyword, so that the keyword may stand anywhere in
// the message.
const char kAnyText[] = ".*?";

// The action modes of a group's "操作方式" (the index of the choice in the
// group settings window).
constexpr int kRemoveAtOnce = 0;
constexpr int kRemovalVote = 1;

GbkText removal_notice(const GbkText& sender) {
  return "【Tarvolo】：\r\nQQ：" + sender + " 涉嫌发送非法关键词，已被踢出本群，希望大家引以为戒！";
}

// Whether the keyword occurs in the message, ignoring letter case. Only the
// first match is asked for: one hit is all screening needs, the engine stops
// there, and a keyword that can match the empty text does not make the
// engine walk every position of the message. A keyword the engine rejects,
// or whose match runs into the engine's limits, is not found. `search` is
// scratch space for the wrapped keyword, reused from line to line.
bool keyword_found(PatternObject& patterns, std::string_view keyword, const GbkText& message,
                   GbkText& search) {
  // Written in place: this runs for every line of the list.
  constexpr std::size_t kWrap = sizeof kAnyText - 1;
  search.resize(kWrap + keyword.size() + kWrap);
  char* out = &search[0];
  std::memcpy(out, kAnyText, kWrap);
  if (!keyword.empty()) std::memcpy(out + kWrap, keyword.data(), keyword.size());
  std::memcpy(out + kWrap + keyword.size(), kAnyText, kWrap);
  try {
    const bool ran = patterns.execute_pattern(search, message, /*case_sensitive=*/false,
                                              /*multiline=*/true, /*global=*/false);
    return ran && patterns.match_count() >= 1;
  } catch (...) {
    // Not expected from an engine; one keyword must not end the screening.
    return false;
  }
}

GbkText remove_sender(const ModerationContext& context, const GbkText& group,
                      const GbkText& sender) {
  context.host->post_group_message(group, removal_notice(sender));
  remove_member(context, group, sender);
  return kNoReply;
}

}  // namespace

GbkText screen_message(const ModerationContext& context, const GbkText& message,
                       const GbkText& group, const GbkText& sender, PatternObject& patterns) {
  const SettingsFile settings(context.config);
  const int threshold = text_to_int(settings.read_group_setting(group, kTriggerCountKey));

  const GbkText list = KeywordListFile(context.config).read_keyword_list();
  KeywordEntryReader reader(list);
  KeywordEntryView entry;
  GbkText search;
  int hit_count = 0;
  // Measured once, not for every line.
  const std::string_view accumulating_type = kAccumulatingKeywordType;
  const std::string_view direct_removal_type = kDirectRemovalKeywordType;
  while (reader.next(&entry)) {
    // A line without a type (an empty line, a line without "====") and a
    // line of any other type have no effect, so their pattern is not run.
    const bool accumulating = entry.type == accumulating_type;
    const bool direct_removal = entry.type == direct_removal_type;
    if (!entry.complete || (!accumulating && !direct_removal)) continue;

    if (!keyword_found(patterns, entry.pattern, message, search)) continue;
    if (direct_removal) return remove_sender(context, group, sender);
    ++hit_count;
  }
  if (hit_count < threshold) return GbkText();

  const int action_mode = text_to_int(settings.read_group_setting(group, kActionModeKey));

  // A member who is already under a removal vote, opened here or in any
  // other group, and offends again is removed at once.
  const std::vector<GbkText> voted_on = VoteQueueFile(context.config).list_vote_tasks();
  if (std::find(voted_on.begin(), voted_on.end(), sender) != voted_on.end()) {
    return remove_sender(context, group, sender);
  }

  switch (action_mode) {
    case kRemoveAtOnce:
      return remove_sender(context, group, sender);
    case kRemovalVote:
      return start_vote(context, sender, group) ? GbkText(kNoReply) : GbkText();
    default:
      return GbkText();
  }
}

}  // namespace tarvolo
