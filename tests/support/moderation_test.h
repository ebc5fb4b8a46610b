// A test of the moderation engine: a fresh run directory, a host that
// records its calls, a context over both, and the dispatcher's entry.
#ifndef TARVOLO_TESTS_SUPPORT_MODERATION_TEST_H_
#define TARVOLO_TESTS_SUPPORT_MODERATION_TEST_H_

#include <gtest/gtest.h>

#include "moderation/dispatcher.h"
#include "support/recording_host_api.h"
#include "support/temp_run_dir.h"

namespace tarvolo {
namespace fixtures {

class ModerationTest : public ::testing::Test {
 protected:
  TempRunDir dir;
  RecordingHostApi host;
  int refreshes = 0;  // group list refreshes asked for
  ModerationContext context = make_context(dir, host, Env::Default(), &refreshes);

  GbkText dispatch(GbkText message, const GbkText& group, const GbkText& sender,
                   const GbkText& kind = "2") {
    return dispatch_group_message(context, message, kind, group, sender, "");
  }
};

}  // namespace fixtures
}  // namespace tarvolo

#endif  // TARVOLO_TESTS_SUPPORT_MODERATION_TEST_H_
