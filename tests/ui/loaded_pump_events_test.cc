// Off Windows: the loaded plug-in's main window exists from the load on,
// and pump_events runs its timer when a tick is due, at most one per call.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "platform/env.h"
#include "plugin_library.h"

namespace {

using host_sim::PluginLibrary;

const char kEndOfVoteNotice[] = "【Tarvolo】\r\nQQ：77777 针对您的投票已结束，可以正常发言！";

std::string config_path(const std::string& name) {
  return host_sim::executable_directory() + "/config" + (name.empty() ? "" : "/" + name);
}

TEST(LoadedPumpEventsTest, PumpEventsRunsTheDueTimerTickThatClosesOldVotes) {
  tarvolo::Env& env = tarvolo::Env::Default();
  env.remove_directory_tree(config_path(""));
  env.create_directory(config_path(""));
  ASSERT_TRUE(env.write_file(config_path("任务队列.ini"),
                             "[77777]\r\n群号=123456\r\n类型=投票移除\r\n"
                             "时间=2013年11月3日12时5分6秒\r\n获得票数=1\r\n"));
  void* host_api = dlopen((host_sim::executable_directory() + "/" + host_sim::kHostApiFileName).c_str(),
                          RTLD_NOW | RTLD_GLOBAL);
  ASSERT_NE(host_api, nullptr) << dlerror();
  reinterpret_cast<void (*)(int)>(dlsym(host_api, "cqapi_set_echo"))(0);
  reinterpret_cast<void (*)()>(dlsym(host_api, "cqapi_clear_call_log"))();
  auto call_log = reinterpret_cast<const char* (*)()>(dlsym(host_api, "cqapi_call_log"));

  std::string error;
  std::unique_ptr<PluginLibrary> plugin = PluginLibrary::load(
      host_sim::executable_directory() + "/" + host_sim::kPluginFileName, &error);
  ASSERT_NE(plugin, nullptr) << error;
  // Not due yet right after the load.
  EXPECT_EQ(plugin->pump(), 0);
  EXPECT_STREQ(call_log(), "");
  std::this_thread::sleep_for(std::chrono::milliseconds(2100));
  EXPECT_EQ(plugin->pump(), 1);
  EXPECT_EQ(plugin->pump(), 0);
  EXPECT_EQ(std::string(call_log()), std::string("post\t123456\t") + kEndOfVoteNotice + "\n");
  std::string queue;
  env.read_file(config_path("任务队列.ini"), &queue);
  EXPECT_EQ(queue.find("[77777]"), std::string::npos);
  // The window entries find the main window and no group settings window.
  plugin->refresh_group_list();
  plugin->fill_group_settings("1", "2");
  plugin.reset();
  dlclose(host_api);
}

}  // namespace
