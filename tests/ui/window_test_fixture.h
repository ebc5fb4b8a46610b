// The three windows over in-memory views in a fresh run directory, with a
// host that records its calls and clocks the test sets.
#ifndef TARVOLO_TESTS_UI_WINDOW_TEST_FIXTURE_H_
#define TARVOLO_TESTS_UI_WINDOW_TEST_FIXTURE_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "moderation/context.h"
#include "store/settings_file.h"
#include "support/recording_host_api.h"
#include "support/temp_run_dir.h"
#include "text/gbk_text.h"
#include "ui/memory_window_view.h"
#include "ui/window_layout.h"
#include "ui/window_set.h"

namespace tarvolo {
namespace testing_ui {

// The local clock and the monotonic clock, both set by the test.
class FakeClocksEnv : public fixtures::FakeClockEnv {
 public:
  std::int64_t monotonic_milliseconds() override { return monotonic; }
  std::int64_t monotonic = 1000000;
};

using Rows = std::vector<std::vector<GbkText>>;

class WindowTest : public ::testing::Test {
 protected:
  fixtures::TempRunDir dir;
  fixtures::RecordingHostApi host;
  FakeClocksEnv env;
  int refresh_requests = 0;
  ModerationContext context = fixtures::make_context(dir, host, env, &refresh_requests);
  MemoryViewFactory views;
  WindowSet windows{context, views};

  // The open windows; nullptr when closed.
  MemoryWindowView* main_view() { return views.find(main_window::layout().title); }
  MemoryWindowView* settings_view() {
    return views.find(group_settings_window::layout().title);
  }
  MemoryWindowView* editor_view() { return views.find(keyword_editor_window::layout().title); }

  void write_settings(const std::string& ini) { dir.write("Tarvolo.ini", ini); }
  void write_keywords(const std::string& text) { dir.write("关键词.txt", text); }
  std::string settings_text() { return dir.read("Tarvolo.ini"); }
  GbkText setting(const GbkText& group, const GbkText& key) {
    return SettingsFile(context.config).read_group_setting(group, key);
  }
  std::vector<GbkText> groups() { return SettingsFile(context.config).list_groups(); }

  // The texts of the message boxes shown so far.
  std::vector<GbkText> messages() {
    std::vector<GbkText> texts;
    for (const ShownMessage& message : views.messages()) texts.push_back(message.text);
    return texts;
  }
};

}  // namespace testing_ui
}  // namespace tarvolo

#endif  // TARVOLO_TESTS_UI_WINDOW_TEST_FIXTURE_H_
