// The keyword editor: the shared keyword list as a numbered table, with an
// entry to add and a menu to remove the selected entries. Each change is
// written at once; closing saves nothing.
#ifndef TARVOLO_UI_KEYWORD_EDITOR_WINDOW_H_
#define TARVOLO_UI_KEYWORD_EDITOR_WINDOW_H_

#include <memory>

#include "moderation/context.h"
#include "ui/view.h"

namespace tarvolo {

class KeywordEditorWindow : public WindowEvents {
 public:
  KeywordEditorWindow(const ModerationContext& context, ViewFactory& factory);

  // Creates the window, fills the table and shows it; when it is open
  // already, brings it forward without refilling.
  void open();
  bool is_open() const { return view_ != nullptr; }
  WindowView* view() { return view_.get(); }

  // Rebuilds the table from the keyword list file.
  void refresh_keyword_table();

  // Destroys the window (the library goes away).
  void close_without_saving();

  void on_close_requested() override;
  // "按钮1": adds the typed pattern with the chosen type.
  void on_button_clicked(const GbkText& button) override;
  void on_list_right_clicked(const GbkText& list) override;
  // "删除": removes every selected entry.
  void on_menu_item_chosen(int index) override;

 private:
  void add_keyword();
  void remove_selected_keywords();

  ModerationContext context_;
  ViewFactory& factory_;
  std::unique_ptr<WindowView> view_;
};

}  // namespace tarvolo

#endif  // TARVOLO_UI_KEYWORD_EDITOR_WINDOW_H_
