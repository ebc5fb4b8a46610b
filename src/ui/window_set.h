// The plug-in's three windows together, as start-up, unload and the two
// window entries reach them: the main window exists from start-up to
// unload; the other two are opened from it, at most one of each.
#ifndef TARVOLO_UI_WINDOW_SET_H_
#define TARVOLO_UI_WINDOW_SET_H_

#include "moderation/context.h"
#include "ui/group_settings_window.h"
#include "ui/keyword_editor_window.h"
#include "ui/main_window.h"
#include "ui/view.h"

namespace tarvolo {

class WindowSet {
 public:
  WindowSet(const ModerationContext& context, ViewFactory& factory);
  ~WindowSet();
  WindowSet(const WindowSet&) = delete;
  WindowSet& operator=(const WindowSet&) = delete;

  // Creates and shows the main window.
  void start();
  // Releases the hotkey and the timer and destroys every window, saving
  // nothing.
  void stop();

  MainWindow& main_window() { return main_window_; }
  GroupSettingsWindow& group_settings_window() { return group_settings_; }
  KeywordEditorWindow& keyword_editor_window() { return keyword_editor_; }

 private:
  GroupSettingsWindow group_settings_;
  KeywordEditorWindow keyword_editor_;
  MainWindow main_window_;
};

}  // namespace tarvolo

#endif  // TARVOLO_UI_WINDOW_SET_H_
