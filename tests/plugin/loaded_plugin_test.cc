// Loads the built plug-in library the way the host does, from the directory
// of this program, with the host API library beside it, and calls its
// exported entries.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/env.h"
#include "plugin_library.h"

namespace {

using host_sim::PluginLibrary;

const std::string kSep = host_sim::kPathSeparator;

std::string config_path(const std::string& name) {
  return host_sim::executable_directory() + kSep + "config" + kSep + name;
}

class LoadedPluginTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // A fresh run directory for every run of this program.
    tarvolo::Env::Default().remove_directory_tree(host_sim::executable_directory() + kSep +
                                                  "config");
    std::string error;
    plugin = PluginLibrary::load(host_sim::executable_directory() + kSep +
                                     host_sim::kPluginFileName,
                                 &error)
                 .release();
    ASSERT_NE(plugin, nullptr) << error;
  }
  static void TearDownTestSuite() {
    delete plugin;
    plugin = nullptr;
  }

  static PluginLibrary* plugin;
};

PluginLibrary* LoadedPluginTest::plugin = nullptr;

TEST_F(LoadedPluginTest, LoadingCreatesTheConfigDirectories) {
  tarvolo::Env& env = tarvolo::Env::Default();
  EXPECT_TRUE(env.is_directory(config_path("")));
  EXPECT_TRUE(env.is_directory(config_path("警告次数")));
}

TEST_F(LoadedPluginTest, InfoReturnsTheSameTextEveryTime) {
  const std::string first = plugin->info();
  const char* second = plugin->info();
  EXPECT_EQ(first, second);
  EXPECT_EQ(first,
            "Tarvolo者\r\n2.0版\r\nDunmere\r\nQ群管理\r\n\r\n开启关闭\r\n\r\n分群管理\r\n2\r\n假\r\n");
}

TEST_F(LoadedPluginTest, NullArgumentsAreEmptyTexts) {
  EXPECT_STREQ(plugin->group_message(nullptr, nullptr, nullptr, nullptr, nullptr), "");
  EXPECT_STREQ(plugin->normalise(nullptr), "");
  plugin->fill_group_settings(nullptr, nullptr);
  plugin->refresh_group_list();
}

TEST_F(LoadedPluginTest, EachEntryKeepsItsOwnText) {
  const char* normalised = plugin->normalise(" a  b ");
  EXPECT_STREQ(normalised, "ab");
  plugin->group_message("x y", "2", "100", "5", "");
  EXPECT_STREQ(normalised, "ab");
}

TEST_F(LoadedPluginTest, HostBuffersAreNeverWritten) {
  char message[] = "#查询管理员 \"x\" + y";
  char kind[] = "2";
  char group[] = "100";
  char sender[] = "5";
  char extra[] = "extra";
  const std::string before = message;
  plugin->group_message(message, kind, group, sender, extra);
  char text[] = " a b ";
  plugin->normalise(text);
  EXPECT_EQ(message, before);
  EXPECT_STREQ(kind, "2");
  EXPECT_STREQ(group, "100");
  EXPECT_STREQ(sender, "5");
  EXPECT_STREQ(extra, "extra");
  EXPECT_STREQ(text, " a b ");
}

}  // namespace
