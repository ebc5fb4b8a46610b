// The plug-in's windows as a host sees them on Windows (here: under Wine on
// a virtual display): the real library loaded from this program's own
// directory, with the host API library beside it, and this thread's message
// loop serving the windows and the timer.
//
// Exits 77 (skipped) when no window can be created: there is no display.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/env.h"
#include "plugin_library.h"

namespace {

using host_sim::PluginLibrary;

const char kMainTitle[] = "Tarvolo者  ---by：Dunmere";
const char kHelpText[] =
    "当前支持命令：\r\n\r\n超级管理员：#添加管理员    #删除管理员   #查询管理员   #加黑名单   "
    "#删黑名单   #清空黑名单             #查黑名单\r\n\r\n普通管理员：#加黑名单   #删黑名单   "
    "#清空黑名单   #查黑名单\r\n";
const char kEndOfVoteNotice[] = "【Tarvolo】\r\nQQ：77777 针对您的投票已结束，可以正常发言！";

std::string run_directory() { return host_sim::executable_directory(); }
std::string config_path(const std::string& name) {
  return run_directory() + "\\config" + (name.empty() ? "" : "\\" + name);
}

void write_config_file(const std::string& name, const std::string& contents) {
  ASSERT_TRUE(tarvolo::Env::Default().write_file(config_path(name), contents)) << name;
}

std::string read_config_file(const std::string& name) {
  std::string contents;
  tarvolo::Env::Default().read_file(config_path(name), &contents);
  return contents;
}

// Serves this thread's window messages until `done` holds or the time is
// up; true when it held.
bool pump_until(const std::function<bool()>& done, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
}

std::string window_text(HWND window) {
  char buffer[1024] = {};
  const int length = GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::vector<std::vector<std::string>> list_rows(HWND list) {
  std::vector<std::vector<std::string>> rows;
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    std::vector<std::string> cells;
    for (int column = 0; column < 2; ++column) {
      char buffer[256] = {};
      LVITEMA item{};
      item.iSubItem = column;
      item.pszText = buffer;
      item.cchTextMax = sizeof buffer;
      const LRESULT length =
          SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
      cells.emplace_back(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
    }
    rows.push_back(cells);
  }
  return rows;
}

// A window enumeration callback has the system's calling convention, which
// a lambda cannot have on 32-bit Windows.
BOOL CALLBACK collect_child(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

// The main window of the plug-in loaded by this process. Other test programs
// running at the same time load the plug-in too, each with a main window of
// the same title, so a search by title alone may find theirs.
BOOL CALLBACK match_own_main_window(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char title[64] = {};
  GetWindowTextA(window, title, sizeof title);
  if (process == GetCurrentProcessId() && std::string(title) == kMainTitle) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND own_main_window() {
  HWND found = nullptr;
  EnumWindows(match_own_main_window, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<HWND> children(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, collect_child, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::unique_ptr<PluginLibrary> load_plugin() {
  std::string error;
  std::unique_ptr<PluginLibrary> plugin =
      PluginLibrary::load(run_directory() + "\\" + host_sim::kPluginFileName, &error);
  EXPECT_NE(plugin, nullptr) << error;
  return plugin;
}

using CallLog = const char*(__cdecl*)();

// A function of a loaded library, by name.
template <typename Function>
Function library_function(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

class LoadedWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A fresh run directory: no config until the plug-in makes one.
    tarvolo::Env::Default().remove_directory_tree(config_path(""));
    // The host's API library, the same module the plug-in will find.
    host_api = LoadLibraryA((run_directory() + "\\" + host_sim::kHostApiFileName).c_str());
    ASSERT_NE(host_api, nullptr);
    using SetEcho = void(__cdecl*)(int);
    using Clear = void(__cdecl*)();
    library_function<SetEcho>(host_api, "cqapi_set_echo")(0);
    library_function<Clear>(host_api, "cqapi_clear_call_log")();
    call_log = library_function<CallLog>(host_api, "cqapi_call_log");
  }
  void TearDown() override {
    plugin.reset();
    if (host_api != nullptr) FreeLibrary(host_api);
  }

  HWND main_window() { return own_main_window(); }

  HMODULE host_api = nullptr;
  CallLog call_log = nullptr;
  std::unique_ptr<PluginLibrary> plugin;
};

TEST_F(LoadedWindowsTest, AFreshRunDirectoryGetsItsConfigDirectoriesAndAnEmptyWindow) {
  plugin = load_plugin();
  ASSERT_NE(plugin, nullptr);
  tarvolo::Env& env = tarvolo::Env::Default();
  EXPECT_TRUE(env.is_directory(config_path("")));
  EXPECT_TRUE(env.is_directory(config_path("警告次数")));
  HWND window = main_window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  HWND list = FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list_rows(list).empty());
  EXPECT_EQ(window_text(FindWindowExA(window, nullptr, "Edit", nullptr)), "");
}

TEST_F(LoadedWindowsTest, TheMainWindowShowsTheSettingsAndItsTimerClosesOldVotes) {
  CreateDirectoryA(config_path("").c_str(), nullptr);
  write_config_file("Tarvolo.ini",
                    "[超级管理员]\r\nQQ=10000\r\n[123456]\r\n开关=1\r\n[654321]\r\n开关=0\r\n"
                    "[777]\r\n管理员=5,\r\n");
  write_config_file("任务队列.ini",
                    "[77777]\r\n群号=123456\r\n类型=投票移除\r\n时间=2013年11月3日12时5分6秒\r\n"
                    "获得票数=1\r\n投票人=50001,\r\n");
  plugin = load_plugin();
  ASSERT_NE(plugin, nullptr);

  HWND window = main_window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window_text(window), kMainTitle);
  EXPECT_TRUE(IsWindowVisible(window));
  HWND list = FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list_rows(list), (std::vector<std::vector<std::string>>{
                                 {"123456", "开"}, {"654321", "关"}, {"777", "关"}}));
  EXPECT_EQ(window_text(FindWindowExA(window, nullptr, "Edit", nullptr)), "10000");
  bool help_found = false;
  for (HWND child : children(window)) help_found = help_found || window_text(child) == kHelpText;
  EXPECT_TRUE(help_found);

  // The timer runs every two seconds from the load on.
  const bool swept = pump_until(
      [&] { return std::string(call_log()).find(kEndOfVoteNotice) != std::string::npos; }, 8000);
  EXPECT_TRUE(swept) << call_log();
  EXPECT_EQ(std::string(call_log()), std::string("post\t123456\t") + kEndOfVoteNotice + "\n");
  EXPECT_EQ(read_config_file("任务队列.ini").find("[77777]"), std::string::npos);
}

TEST_F(LoadedWindowsTest, AListRefreshFromAnotherThreadRunsOnTheWindowsThread) {
  CreateDirectoryA(config_path("").c_str(), nullptr);
  write_config_file("Tarvolo.ini", "[1]\r\n开关=1\r\n");
  plugin = load_plugin();
  ASSERT_NE(plugin, nullptr);
  HWND list = FindWindowExA(main_window(), nullptr, WC_LISTVIEWA, nullptr);
  ASSERT_NE(list, nullptr);
  write_config_file("Tarvolo.ini", "[1]\r\n开关=1\r\n[2]\r\n开关=0\r\n");

  // The host calls the entry from a thread of its own while this one keeps
  // its message loop going: neither waits for the other.
  bool returned = false;
  std::thread host_thread([&] {
    plugin->refresh_group_list();
    plugin->fill_group_settings("1", "2");  // no settings window open
    returned = true;
  });
  host_thread.join();
  EXPECT_TRUE(returned);
  EXPECT_TRUE(pump_until([&] { return list_rows(list).size() == 2; }, 5000));
  EXPECT_EQ(list_rows(list),
            (std::vector<std::vector<std::string>>{{"1", "开"}, {"2", "关"}}));
}

void press_f7() {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_F7;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

TEST_F(LoadedWindowsTest, F7HidesAndShowsTheMainWindow) {
  plugin = load_plugin();
  ASSERT_NE(plugin, nullptr);
  HWND window = main_window();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(IsWindowVisible(window));
  press_f7();
  EXPECT_TRUE(pump_until([&] { return !IsWindowVisible(window); }, 3000));
  press_f7();
  EXPECT_TRUE(pump_until([&] { return IsWindowVisible(window) != FALSE; }, 3000));
  // Closing hides too, and stores the box.
  SetWindowTextA(FindWindowExA(window, nullptr, "Edit", nullptr), "4321");
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(main_window(), window);
  EXPECT_NE(read_config_file("Tarvolo.ini").find("QQ=4321"), std::string::npos);
}

TEST_F(LoadedWindowsTest, UnloadingReleasesTheHotkeyTheTimerAndTheWindows) {
  plugin = load_plugin();
  ASSERT_NE(plugin, nullptr);
  ASSERT_NE(main_window(), nullptr);
  plugin.reset();
  EXPECT_EQ(main_window(), nullptr);
  // F7 is free again.
  EXPECT_TRUE(RegisterHotKey(nullptr, 1, 0, VK_F7));
  UnregisterHotKey(nullptr, 1);
  // No timer message is left to call into the unloaded library.
  EXPECT_FALSE(pump_until([] { return false; }, 2500));

  // And the library loads again as well as the first time.
  plugin = load_plugin();
  ASSERT_NE(plugin, nullptr);
  EXPECT_NE(main_window(), nullptr);
  EXPECT_FALSE(RegisterHotKey(nullptr, 1, 0, VK_F7));
}

}  // namespace

int main(int argc, char** argv) {
  // Without a display no window can be made, and there is nothing to test.
  HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  if (probe == nullptr) {
    std::printf("no display: skipped\n");
    return 77;
  }
  DestroyWindow(probe);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
