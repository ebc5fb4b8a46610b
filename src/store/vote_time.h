// The start time of a vote as stored in the queue file, e.g.
// "2013年11月3日12时5分6秒"; trailing zero parts are left out.
#ifndef TARVOLO_STORE_VOTE_TIME_H_
#define TARVOLO_STORE_VOTE_TIME_H_

#include "platform/env.h"
#include "text/gbk_text.h"

namespace tarvolo {

GbkText format_vote_time(const LocalTime& time);

// Reads every text format_vote_time writes (full-width digits too); a text
// that gives no valid date and time reads as 1 January of the year 100,
// 00:00:00, older than any vote.
LocalTime parse_vote_time(const GbkText& text);

// The far-past time of an unreadable text.
LocalTime far_past_vote_time();

}  // namespace tarvolo

#endif  // TARVOLO_STORE_VOTE_TIME_H_
