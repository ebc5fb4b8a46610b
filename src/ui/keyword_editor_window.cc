#include "ui/keyword_editor_window.h"

#include <utility>
#include <vector>

#include "store/keyword_list_file.h"
#include "ui/window_layout.h"

namespace tarvolo {
namespace {

using namespace keyword_editor_window;

const char kEmptyPatternMessage[] = "不可为空！";
const char kDoneMessage[] = "操作成功！";
const char kChooseKeywordMessage[] = "请先选中一个关键词！";

}  // namespace

KeywordEditorWindow::KeywordEditorWindow(const ModerationContext& context, ViewFactory& factory)
    : context_(context), factory_(factory) {}

void KeywordEditorWindow::open() {
  if (view_) {
    view_->bring_forward();
    return;
  }
  view_ = factory_.create_view(layout(), *this);
  refresh_keyword_table();
  view_->show();
}

void KeywordEditorWindow::refresh_keyword_table() {
  if (!view_) return;
  view_->clear_rows(kKeywordList);
  const std::vector<GbkText> lines =
      keyword_lines(KeywordListFile(context_.config).read_keyword_list());
  // A hand-edited file may hold empty lines, which hold no entry and get no
  // row; a line without a type shows an empty type.
  long long number = 0;
  for (const GbkText& line : lines) {
    const KeywordEntry entry = parse_keyword_entry(line);
    if (entry.pieces.empty()) continue;
    view_->add_row(kKeywordList, {int_to_text(++number), entry.pattern(), entry.type()});
  }
}

void KeywordEditorWindow::close_without_saving() { view_.reset(); }

void KeywordEditorWindow::on_close_requested() {
  // Every change was written when it was made.
  view_.reset();
}

void KeywordEditorWindow::on_button_clicked(const GbkText& button) {
  if (view_ && button == kAddButton) add_keyword();
}

void KeywordEditorWindow::on_list_right_clicked(const GbkText& list) {
  if (view_ && list == kKeywordList) view_->open_popup_menu();
}

void KeywordEditorWindow::on_menu_item_chosen(int index) {
  if (view_ && index == kRemove) remove_selected_keywords();
}

void KeywordEditorWindow::add_keyword() {
  const GbkText pattern = view_->text(kPatternBox);
  if (pattern.empty()) {
    view_->show_message(kEmptyPatternMessage);
    return;
  }
  const GbkText type = view_->item_text(kTypeList, view_->selected_item(kTypeList));
  KeywordListFile(context_.config).append_keyword_entry(pattern, type);
  refresh_keyword_table();
  view_->show_message(kDoneMessage);
}

void KeywordEditorWindow::remove_selected_keywords() {
  const std::vector<int> rows = view_->selected_rows(kKeywordList);
  if (rows.empty()) {
    view_->show_message(kChooseKeywordMessage);
    return;
  }
  std::vector<std::pair<GbkText, GbkText>> entries;
  for (int row : rows) {
    entries.emplace_back(view_->cell(kKeywordList, row, kPatternColumn),
                         view_->cell(kKeywordList, row, kTypeColumn));
  }
  KeywordListFile(context_.config).remove_keyword_entries(entries);
  refresh_keyword_table();
  view_->show_message(kDoneMessage);
}

}  // namespace tarvolo
