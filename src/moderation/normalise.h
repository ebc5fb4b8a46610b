// Cleaning of a group message before anything compares it: blanks, CR LF
// pairs, plus signs, typed escape sequences, double quotes and the two
// signatures of the QQ mobile clients go.
#ifndef TARVOLO_MODERATION_NORMALISE_H_
#define TARVOLO_MODERATION_NORMALISE_H_

#include "text/gbk_text.h"

namespace tarvolo {

GbkText normalise_message(const GbkText& message);

}  // namespace tarvolo

#endif  // TARVOLO_MODERATION_NORMALISE_H_
