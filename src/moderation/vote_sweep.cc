#include "moderation/vote_sweep.h"

#include <vector>

#include "store/vote_queue_file.h"
#include "store/vote_time.h"

namespace tarvolo {
namespace {

constexpr long long kVoteLifetimeMinutes = 5;
// Added to the elapsed minutes before they are cut to a whole number, so
// that exactly 300 seconds, which the day fractions below give as a hair
// under 5 minutes, count as 5.
constexpr double kRoundingGuardMinutes = 5.787037037037037e-6;
constexpr double kMinutesPerDay = 1440.0;
constexpr double kSecondsPerDay = 86400.0;

// Days from 1 January 1970 to the given date of the proleptic Gregorian
// calendar (negative before it).
long long days_from_civil(long long year, long long month, long long day) {
  year -= month <= 2 ? 1 : 0;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long year_of_era = year - era * 400;
  const long long day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

// A local time as a day number with the time of day as its fraction.
double day_serial(const LocalTime& time) {
  const double seconds_of_day = time.hour * 3600.0 + time.minute * 60.0 + time.second;
  return static_cast<double>(days_from_civil(time.year, time.month, time.day)) +
         seconds_of_day / kSecondsPerDay;
}

// Whole minutes from start to now, cut toward zero; negative when now lies
// before start.
long long elapsed_minutes(const LocalTime& start, const LocalTime& now) {
  const double days = day_serial(now) - day_serial(start);
  return static_cast<long long>(days * kMinutesPerDay + kRoundingGuardMinutes);
}

GbkText end_of_vote_notice(const GbkText& member) {
  return "【Tarvolo】\r\nQQ：" + member + " 针对您的投票已结束，可以正常发言！";
}

}  // namespace

void sweep_expired_votes(const ModerationContext& context) {
  const VoteQueueFile queue(context.config);
  const std::vector<GbkText> members = queue.list_vote_tasks();
  for (const GbkText& member : members) {
    // Only removal votes expire; a task of another type stays until it is
    // removed by hand or through a removal.
    if (queue.read_vote_field(member, kVoteTypeKey) != kRemovalVoteType) continue;
    const LocalTime start = parse_vote_time(queue.read_vote_field(member, kVoteTimeKey));
    const LocalTime now = context.config.env->local_time_now();
    if (elapsed_minutes(start, now) < kVoteLifetimeMinutes) continue;

    const GbkText group = queue.read_vote_field(member, kVoteGroupKey);
    queue.delete_vote_task(member);
    context.host->post_group_message(group, end_of_vote_notice(member));
  }
}

}  // namespace tarvolo
