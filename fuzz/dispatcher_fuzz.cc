// Whole group messages through the dispatcher, with the files on disk: no
// message crashes or hangs, and no message makes a section appear in any
// file other than the sections the message may create (its group, or its
// sender in the vote queue) - a line break in a value would.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "moderation/dispatcher.h"
#include "store/profile_access.h"

namespace {

using tarvolo::GbkText;

class SilentHost : public tarvolo::HostApi {
 public:
  void post_group_message(const GbkText&, const GbkText&) override {}
  void kick_member(const GbkText&, const GbkText&) override {}
};

const char* const kSenders[] = {"1", "2", "3", "", "4\r\n[5]", "..", "3,4"};
const char* const kGroups[] = {"100", "200", "300", "1\r\n[2]", "../x", ""};

std::string run_directory() {
  static std::string directory = [] {
    char pattern[] = "/tmp/tarvolo-fuzz-XXXXXX";
    std::string made = mkdtemp(pattern);
    mkdir((made + "/config").c_str(), 0777);
    mkdir((made + "/config/警告次数").c_str(), 0777);
    return made;
  }();
  return directory;
}

std::set<GbkText> sections(tarvolo::Env& env, const GbkText& file) {
  const auto names = tarvolo::list_profile_sections(env, file);
  return std::set<GbkText>(names.begin(), names.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  tarvolo::Env& env = tarvolo::Env::Default();
  SilentHost host;
  const tarvolo::ModerationContext context{tarvolo::ConfigDir{&env, run_directory()}, &host, {}};
  const tarvolo::ConfigDir& config = context.config;

  // A fresh config for every input: super administrator 1, administrator 2
  // of group 100, group 100 switched on with the action mode of the input.
  env.write_file(config.file("Tarvolo.ini"),
                 "[超级管理员]\r\nQQ=1\r\n[100]\r\n开关=1\r\n操作方式=" +
                     std::to_string(data[2] % 3) + "\r\n触发次数=1\r\n得票上限=2\r\n自动加黑名单=1\r\n"
                     "管理员=2,\r\n[200]\r\n开关=0\r\n");
  env.write_file(config.file("黑名单.ini"), "[100]\r\n黑名单=9,\r\n");
  env.write_file(config.file("任务队列.ini"),
                 "[8]\r\n群号=100\r\n类型=投票移除\r\n时间=2013年11月3日12时5分6秒\r\n获得票数=0\r\n");
  env.write_file(config.file("关键词.txt"),
                 "广告====累积关键词\r\n(a+)+b====累积关键词\r\n加群====直接踢出\r\n([====累积关键词\r\n");

  const GbkText sender = kSenders[data[0] % (sizeof kSenders / sizeof *kSenders)];
  const GbkText group = kGroups[data[1] % (sizeof kGroups / sizeof *kGroups)];
  GbkText message(reinterpret_cast<const char*>(data + 3), size - 3);
  tarvolo::dispatch_group_message(context, message, "2", group, sender, "");

  const std::set<GbkText> settings_allowed = {"超级管理员", "100", "200", group};
  for (const GbkText& name : sections(env, config.file("Tarvolo.ini"))) {
    if (!settings_allowed.count(name)) std::abort();
  }
  for (const GbkText& name : sections(env, config.file("黑名单.ini"))) {
    if (name != "100" && name != group) std::abort();
  }
  for (const GbkText& name : sections(env, config.file("任务队列.ini"))) {
    if (name != "8" && name != sender) std::abort();
  }
  return 0;
}
