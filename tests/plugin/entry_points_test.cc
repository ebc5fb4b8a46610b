#include "plugin/entry_points.h"

#include <gtest/gtest.h>

#include <cstring>

#include "plugin/module.h"
#include "plugin/retained_text.h"
#include "support/temp_run_dir.h"

namespace tarvolo {
namespace {

TEST(CopyArgument, NullIsTheEmptyText) {
  EXPECT_EQ(copy_argument(nullptr), "");
  EXPECT_EQ(copy_argument("abc"), "abc");
}

TEST(RetainedText, KeepsTheLastTextUntilReleased) {
  RetainedText slot;
  EXPECT_FALSE(slot.holds_text());
  const char* first = slot.keep("first");
  EXPECT_STREQ(first, "first");
  const char* second = slot.keep("");
  EXPECT_STREQ(second, "");
  EXPECT_TRUE(slot.release());
  EXPECT_FALSE(slot.release());  // released once only
}

TEST(DirectoryOfExecutable, CutsBeforeTheLastSeparator) {
  const GbkText sep(1, kPathSeparator);
  EXPECT_EQ(directory_of_executable(sep + "host" + sep + "qq.exe"), sep + "host");
  EXPECT_EQ(directory_of_executable("qq.exe"), "");
}

class ModuleTest : public ::testing::Test {
 protected:
  void TearDown() override { module_teardown(); }
  fixtures::TempRunDir dir;
  fixtures::RecordingHostApi host;
  GbkText warning_dir() const {
    return dir.path() + kPathSeparator + "config" + kPathSeparator + "警告次数";
  }
};

TEST_F(ModuleTest, StartupCreatesTheWarningDirectoryBesideTheHost) {
  Env& env = Env::Default();
  EXPECT_TRUE(module_startup_with(env, host, dir.path() + kPathSeparator + "host.exe"));
  EXPECT_TRUE(env.is_directory(warning_dir()));
  EXPECT_EQ(module_state().context.config.run_directory, dir.path());
}

TEST_F(ModuleTest, StartupLeavesExistingDataFilesAlone) {
  dir.write("Tarvolo.ini", "[1]\r\n开关=1\r\n");
  module_startup_with(Env::Default(), host, dir.path() + kPathSeparator + "host.exe");
  EXPECT_EQ(dir.read("Tarvolo.ini"), "[1]\r\n开关=1\r\n");
}

TEST_F(ModuleTest, EntriesKeepTheirOwnTextsAndTeardownReleasesThemOnce) {
  module_startup_with(Env::Default(), host, dir.path() + kPathSeparator + "host.exe");
  const char* normalised = run_normalise_entry("a b");
  EXPECT_STREQ(normalised, "ab");
  const char* reply = run_group_message_entry(nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_STREQ(reply, "");
  EXPECT_STREQ(normalised, "ab");  // untouched by the other entry
  const char* info = run_info_entry();
  EXPECT_NE(std::strstr(info, "Tarvolo"), nullptr);

  ModuleState& state = module_state();
  EXPECT_TRUE(state.info_text.holds_text());
  EXPECT_TRUE(state.group_message_reply.holds_text());
  EXPECT_TRUE(state.normalised_text.holds_text());
  module_teardown();
  EXPECT_FALSE(state.info_text.holds_text());
  EXPECT_FALSE(state.group_message_reply.holds_text());
  EXPECT_FALSE(state.normalised_text.holds_text());
}

}  // namespace
}  // namespace tarvolo
