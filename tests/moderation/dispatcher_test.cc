#include "moderation/dispatcher.h"

#include <gtest/gtest.h>

#include "store/settings_file.h"
#include "support/temp_run_dir.h"

namespace tarvolo {
namespace {

using fixtures::RecordingHostApi;
using fixtures::TempRunDir;

class DispatcherTest : public ::testing::Test {
 protected:
  TempRunDir dir;
  RecordingHostApi host;
  int refreshes = 0;
  ModerationContext context = fixtures::make_context(dir, host, Env::Default(), &refreshes);

  GbkText dispatch(GbkText message, const GbkText& group, const GbkText& sender,
                   const GbkText& kind = "2") {
    return dispatch_group_message(context, message, kind, group, sender, "");
  }
};

TEST_F(DispatcherTest, EmptySenderOrOtherKindGetsNoReply) {
  dir.write("Tarvolo.ini", "[超级管理员]\r\nQQ=1\r\n");
  EXPECT_EQ(dispatch("#查询管理员", "100", ""), "");
  EXPECT_EQ(dispatch("#查询管理员", "100", "1", "1"), "");
  EXPECT_EQ(dispatch("#查询管理员", "100", "1", "02"), "");
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(DispatcherTest, CommandStepsWorkOnTheNormalisedMessage) {
  GbkText message = "a b\r\nc+d";
  dispatch_group_message(context, message, "2", "100", "5", "");
  EXPECT_EQ(message, "abcd");
}

TEST_F(DispatcherTest, KindIsTestedBeforeNormalising) {
  GbkText message = "a b";
  dispatch_group_message(context, message, "1", "100", "5", "");
  EXPECT_EQ(message, "a b");
}

}  // namespace
}  // namespace tarvolo
