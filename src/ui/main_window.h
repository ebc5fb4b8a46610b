// The main window: the managed groups with their switches, the super
// administrator, the help text and the way to the other two windows. It
// lives as long as the library; closing only hides it, F7 shows and hides
// it, and its timer closes expired votes every 2000 ms.
#ifndef TARVOLO_UI_MAIN_WINDOW_H_
#define TARVOLO_UI_MAIN_WINDOW_H_

#include <memory>

#include "moderation/context.h"
#include "ui/group_settings_window.h"
#include "ui/keyword_editor_window.h"
#include "ui/view.h"

namespace tarvolo {

class MainWindow : public WindowEvents {
 public:
  MainWindow(const ModerationContext& context, ViewFactory& factory,
             GroupSettingsWindow& group_settings, KeywordEditorWindow& keyword_editor);

  // Creates the window (group list, F7 hotkey, super administrator box,
  // timer) and shows it. Nothing when it exists already.
  void open();
  bool is_open() const { return view_ != nullptr; }
  WindowView* view() { return view_.get(); }
  // The identifier of the F7 registration; 0 when it failed.
  int hotkey_id() const { return hotkey_id_; }

  // Rebuilds the rows from the settings file; nothing when the window does
  // not exist.
  void refresh_group_list();

  // Releases the hotkey and the timer and destroys the window, saving
  // nothing (the library goes away).
  void close_without_saving();

  // Stores the super administrator and hides the window.
  void on_close_requested() override;
  // F7: shows the window when hidden, hides it when shown.
  void on_hotkey(int hotkey_id) override;
  void on_list_right_clicked(const GbkText& list) override;
  void on_menu_item_chosen(int index) override;
  // "按钮1": opens the keyword editor.
  void on_button_clicked(const GbkText& button) override;
  // "时钟2": closes the votes that have run out.
  void on_timer(const GbkText& timer) override;

 private:
  // The first selected row, -1 when none is.
  int selected_row();
  void add_group();
  void edit_group();
  void delete_group();
  void toggle_switch();

  ModerationContext context_;
  ViewFactory& factory_;
  GroupSettingsWindow& group_settings_;
  KeywordEditorWindow& keyword_editor_;
  std::unique_ptr<WindowView> view_;
  int hotkey_id_ = 0;
};

}  // namespace tarvolo

#endif  // TARVOLO_UI_MAIN_WINDOW_H_
