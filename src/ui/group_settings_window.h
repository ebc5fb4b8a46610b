// The group settings window: edits one group's sanction settings, saved to
// the group's section of the settings file when the window is closed.
#ifndef TARVOLO_UI_GROUP_SETTINGS_WINDOW_H_
#define TARVOLO_UI_GROUP_SETTINGS_WINDOW_H_

#include <functional>
#include <memory>

#include "moderation/context.h"
#include "text/gbk_text.h"
#include "ui/view.h"

namespace tarvolo {

class GroupSettingsWindow : public WindowEvents {
 public:
  // `refresh_group_list` rebuilds the main window's list after a save.
  GroupSettingsWindow(const ModerationContext& context, ViewFactory& factory,
                      std::function<void()> refresh_group_list);

  // Creates and shows the window with its defaults; when it is open already,
  // brings it forward as it is.
  void open();
  bool is_open() const { return view_ != nullptr; }
  // The open window's view; nullptr when it is closed.
  WindowView* view() { return view_.get(); }

  // Mode "2": shows the stored settings of `group` with its number locked;
  // mode "1": a new group, voting preselected; any other mode: nothing.
  // Nothing when the window is not open.
  void fill_group_settings_window(const GbkText& group, const GbkText& mode);

  // Stores the window's fields in the section named by the group number box.
  void save_group_settings();

  // Destroys the window without saving (the library goes away).
  void close_without_saving();

  // Saves, then destroys the window.
  void on_close_requested() override;

 private:
  void fill_existing_group(const GbkText& group);

  ModerationContext context_;
  ViewFactory& factory_;
  std::function<void()> refresh_group_list_;
  std::unique_ptr<WindowView> view_;
};

}  // namespace tarvolo

#endif  // TARVOLO_UI_GROUP_SETTINGS_WINDOW_H_
