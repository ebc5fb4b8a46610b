#include "plugin/info_text.h"

#include <gtest/gtest.h>

namespace tarvolo {
namespace {

TEST(InfoText, TenLinesEachEndedByCrLf) {
  EXPECT_EQ(build_info_text(),
            "Tarvolo者\r\n2.0版\r\nDunmere\r\nQ群管理\r\n\r\n开启关闭\r\n\r\n分群管理\r\n2\r\n假\r\n");
}

}  // namespace
}  // namespace tarvolo
