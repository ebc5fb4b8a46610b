// Loads the built plug-in library the way the host does, from the directory
// of this program, with the host API library beside it, and calls its
// exported entries.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <cstring>
#include <memory>
#include <string>

#include "platform/env.h"
#include "plugin_library.h"
#include "support/full_qq_list.h"

namespace {

using host_sim::PluginLibrary;

const std::string kSep = host_sim::kPathSeparator;

std::string config_path(const std::string& name) {
  return host_sim::executable_directory() + kSep + "config" + kSep + name;
}

std::string read_config(const std::string& name) {
  std::string contents;
  if (!tarvolo::Env::Default().read_file(config_path(name), &contents)) return "<missing>";
  return contents;
}

void write_config(const std::string& name, const std::string& contents) {
  ASSERT_TRUE(tarvolo::Env::Default().write_file(config_path(name), contents)) << name;
}

// The calls that reached the recording host API library beside the plug-in:
// loading it again by its path gives the module the plug-in loaded.
class HostCallLog {
 public:
  HostCallLog() {
    const std::string path = host_sim::executable_directory() + kSep + host_sim::kHostApiFileName;
#ifdef _WIN32
    module_ = LoadLibraryA(path.c_str());
#else
    module_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
    if (module_ == nullptr) return;
    log_ = reinterpret_cast<LogFunction>(symbol("cqapi_call_log"));
    clear_ = reinterpret_cast<ClearFunction>(symbol("cqapi_clear_call_log"));
    using EchoFunction = void (*)(int);
    if (auto echo = reinterpret_cast<EchoFunction>(symbol("cqapi_set_echo"))) echo(0);
  }
  ~HostCallLog() {
#ifdef _WIN32
    if (module_ != nullptr) FreeLibrary(module_);
#else
    if (module_ != nullptr) dlclose(module_);
#endif
  }
  HostCallLog(const HostCallLog&) = delete;
  HostCallLog& operator=(const HostCallLog&) = delete;

  bool usable() const { return log_ != nullptr && clear_ != nullptr; }
  // One line per call: "post" or "kick", TAB, group, TAB, text or QQ number.
  std::string calls() const { return log_(); }
  void clear() const { clear_(); }

 private:
  using LogFunction = const char* (*)();
  using ClearFunction = void (*)();

  void* symbol(const char* name) const {
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(module_, name));
#else
    return dlsym(module_, name);
#endif
  }

#ifdef _WIN32
  HMODULE module_ = nullptr;
#else
  void* module_ = nullptr;
#endif
  LogFunction log_ = nullptr;
  ClearFunction clear_ = nullptr;
};

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

// Commands, refusals and enforcement through 分群管理, with the files they
// leave and the host calls they make. Group 700 has sections of its own so
// that the other tests' messages do not meet them; its threshold keeps the
// screening of ordinary messages quiet.
void settle_group_700(const HostCallLog& host) {
  ASSERT_TRUE(host.usable());
  write_config("Tarvolo.ini", "[超级管理员]\r\nQQ=1\r\n[700]\r\n开关=1\r\n触发次数=99\r\n");
  tarvolo::Env::Default().delete_file(config_path("黑名单.ini"));
  host.clear();
}

std::string send(PluginLibrary* plugin, const char* group, const char* sender,
                 const char* message) {
  return plugin->group_message(message, "2", group, sender, "");
}

TEST_F(LoadedPluginTest, CommandsAnswerAndWriteTheFiles) {
  HostCallLog host;
  settle_group_700(host);
  const struct {
    const char* sender;
    const char* message;
    const char* reply;
  } chat[] = {
      {"1", "#添加管理员 10001", "添加成功！"},
      {"1", "看看#查询管理员", "当前本群拥有以下管理：\r\n10001,"},
      {"10001", "#加黑名单 8", "添加成功！"},
      {"10001", "#加黑名单 9\n[x]", "请输入正确的QQ号码！"},
      {"10001", "#加黑名单", "请输入正确的QQ号码！"},
      {"10001", "#查黑名单", "当前本群黑名单成员如下：\r\n8,"},
      {"10001", "#添加管理员 5", ""},
  };
  for (const auto& line : chat) {
    EXPECT_EQ(send(plugin, "700", line.sender, line.message), line.reply) << line.message;
  }
  EXPECT_EQ(read_config("Tarvolo.ini"),
            "[超级管理员]\r\nQQ=1\r\n[700]\r\n开关=1\r\n触发次数=99\r\n管理员=10001,\r\n");
  EXPECT_EQ(read_config("黑名单.ini"), "[700]\r\n黑名单=8,\r\n");
  EXPECT_EQ(host.calls(), "");
}

TEST_F(LoadedPluginTest, ABlacklistedSenderIsKickedWithANotice) {
  HostCallLog host;
  settle_group_700(host);
  write_config("黑名单.ini", "[700]\r\n黑名单=8,\r\n");
  write_config("任务队列.ini", "[8]\r\n群号=701\r\n");
  EXPECT_EQ(send(plugin, "700", "8", "hello"), "QQ：8 存在于黑名单，现已被T出本群。");
  EXPECT_EQ(host.calls(), "kick\t700\t8\n");
  EXPECT_EQ(read_config("黑名单.ini"), "[700]\r\n黑名单=8,\r\n");
  EXPECT_EQ(read_config("任务队列.ini"), "[8]\r\n群号=701\r\n");
}

TEST_F(LoadedPluginTest, AFullListRefusesTheEntry) {
  HostCallLog host;
  settle_group_700(host);
  const std::string blacklist = "[700]\r\n黑名单=" + tarvolo::fixtures::full_qq_list() + "\r\n";
  write_config("黑名单.ini", blacklist);
  EXPECT_EQ(send(plugin, "700", "1", "#加黑名单 8"), "名单已满，无法添加！");
  EXPECT_EQ(read_config("黑名单.ini"), blacklist);
}

// Keyword screening and removal votes through 分群管理. Group 800 has its own
// settings; the keyword list is removed again at the end of each test so
// that it screens no other test's messages.
void settle_group_800(const HostCallLog& host, const std::string& keywords) {
  ASSERT_TRUE(host.usable());
  write_config("Tarvolo.ini", "[800]\r\n开关=1\r\n触发次数=2\r\n操作方式=1\r\n得票上限=2\r\n");
  write_config("关键词.txt", keywords);
  tarvolo::Env::Default().delete_file(config_path("任务队列.ini"));
  host.clear();
}

// Removes the keyword list when the test ends, however it ends.
struct KeywordListRemover {
  ~KeywordListRemover() { tarvolo::Env::Default().delete_file(config_path("关键词.txt")); }
};

TEST_F(LoadedPluginTest, ScreeningOpensAVoteThatTheMembersDecide) {
  HostCallLog host;
  KeywordListRemover remover;
  settle_group_800(host, "广告====累积关键词\r\n加.群====累积关键词\r\n");
  EXPECT_EQ(send(plugin, "800", "31", "买广告"), "");  // one hit of two
  EXPECT_EQ(send(plugin, "800", "31", "买广告 加个群"), "[noreply]");
  EXPECT_EQ(host.calls(),
            "post\t800\t【Tarvolo】：\r\nQQ：31 因检测到您发送了非法关键词，特此进行投票移除！\r\n"
            "当前票数：0/2\r\n发送\"#赞同 31\"赞同T出此人\r\n发送\"#反对 31\"反对T出此人\r\n"
            "PS.身处裁决阶段，再次发送非法关键词将被直接移除！\n");
  const std::string task = read_config("任务队列.ini");
  EXPECT_EQ(task.find("[31]\r\n群号=800\r\n类型=投票移除\r\n时间="), 0u) << task;
  EXPECT_NE(task.find("\r\n获得票数=0\r\n"), std::string::npos) << task;

  host.clear();
  EXPECT_EQ(send(plugin, "900", "41", "#赞同 31"), "投票成功！\r\n当前QQ：31 的票数为：1/");
  EXPECT_EQ(send(plugin, "800", "41", "#反对 31"), "你已经投过票了！");
  EXPECT_EQ(send(plugin, "800", "31", "#反对 31"), "无法给自己投票！");
  EXPECT_EQ(send(plugin, "800", "42", "#赞同\r\n31"),
            "【Tarvolo】\r\nQQ：31因涉嫌发送非法关键词，经群友们神圣的判决，已经被T出本群！");
  EXPECT_EQ(host.calls(), "kick\t800\t31\n");
  EXPECT_EQ(read_config("任务队列.ini").find("[31]"), std::string::npos);
}

TEST_F(LoadedPluginTest, DirectRemovalPostsTheNoticeBeforeTheKick) {
  HostCallLog host;
  KeywordListRemover remover;
  // A pattern the engine rejects, an empty line and a line without a type
  // stop nothing.
  settle_group_800(host, "(====直接踢出\r\n\r\n傻.子\r\n傻.子====直接踢出\r\n");
  EXPECT_EQ(send(plugin, "800", "32", "你 傻大子"), "[noreply]");
  EXPECT_EQ(host.calls(),
            "post\t800\t【Tarvolo】：\r\nQQ：32 涉嫌发送非法关键词，已被踢出本群，希望大家引以为戒！\n"
            "kick\t800\t32\n");
  host.clear();
  EXPECT_EQ(send(plugin, "800", "32", "傻\n子"), "");  // the dot does not match a line feed
  EXPECT_EQ(host.calls(), "");
}

}  // namespace
