// A QQ-number list that fills what a profile read returns whole to its last
// byte, so that no further entry fits after it.
#ifndef TARVOLO_TESTS_SUPPORT_FULL_QQ_LIST_H_
#define TARVOLO_TESTS_SUPPORT_FULL_QQ_LIST_H_

#include "text/gbk_text.h"

namespace tarvolo {
namespace fixtures {

// Ten-digit entries "1234567890," and one shorter entry of sevens that takes
// the bytes left: kMaxStoredListBytes bytes in all.
inline GbkText full_qq_list() {
  GbkText list;
  while (list.size() + 11 <= kMaxStoredListBytes) list += "1234567890,";
  return list + GbkText(kMaxStoredListBytes - list.size() - 1, '7') + ",";
}

}  // namespace fixtures
}  // namespace tarvolo

#endif  // TARVOLO_TESTS_SUPPORT_FULL_QQ_LIST_H_
