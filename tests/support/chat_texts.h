// The notices and replies the plug-in posts about a member, as the tests
// expect them: written out once here, independently of the product's own
// constants.
#ifndef TARVOLO_TESTS_SUPPORT_CHAT_TEXTS_H_
#define TARVOLO_TESTS_SUPPORT_CHAT_TEXTS_H_

#include "text/gbk_text.h"

namespace tarvolo {
namespace fixtures {

// Posted by keyword screening before it removes the member.
inline GbkText keyword_removal_notice(const GbkText& qq) {
  return "【Tarvolo】：\r\nQQ：" + qq + " 涉嫌发送非法关键词，已被踢出本群，希望大家引以为戒！";
}

// The reply to the vote that reached the threshold.
inline GbkText vote_removal_text(const GbkText& member) {
  return "【Tarvolo】\r\nQQ：" + member + "因涉嫌发送非法关键词，经群友们神圣的判决，已经被T出本群！";
}

// Posted when a vote has been open for five minutes.
inline GbkText end_of_vote_notice(const GbkText& member) {
  return "【Tarvolo】\r\nQQ：" + member + " 针对您的投票已结束，可以正常发言！";
}

}  // namespace fixtures
}  // namespace tarvolo

#endif  // TARVOLO_TESTS_SUPPORT_CHAT_TEXTS_H_
