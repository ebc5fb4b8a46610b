#include "ui/main_window.h"

#include <vector>

#include "moderation/vote_sweep.h"
#include "store/keyword_list_file.h"
#include "store/settings_file.h"
#include "ui/window_layout.h"

namespace tarvolo {
namespace {

using namespace main_window;

const char kSwitchedOn[] = "开";
const char kSwitchedOff[] = "关";
const char kChooseGroupMessage[] = "请选中一个群！";
const char kNoKeywordsMessage[] = "尚未设置关键词词库，请先设置关键词！";

}  // namespace

MainWindow::MainWindow(const ModerationContext& context, ViewFactory& factory,
                       GroupSettingsWindow& group_settings, KeywordEditorWindow& keyword_editor)
    : context_(context),
      factory_(factory),
      group_settings_(group_settings),
      keyword_editor_(keyword_editor) {}

void MainWindow::open() {
  if (view_) return;
  view_ = factory_.create_view(layout(), *this);
  refresh_group_list();
  hotkey_id_ = view_->register_hotkey(kShowHideKey);
  view_->set_text(kSuperAdminBox, SettingsFile(context_.config).read_super_admin());
  view_->start_timer(kSweepTimer, kSweepPeriodMilliseconds);
  view_->show();
}

void MainWindow::refresh_group_list() {
  if (!view_) return;
  const SettingsFile settings(context_.config);
  view_->clear_rows(kGroupList);
  for (const GbkText& group : settings.list_groups()) {
    const bool on = settings.read_group_setting(group, kSwitchKey) == "1";
    view_->add_row(kGroupList, {group, on ? kSwitchedOn : kSwitchedOff});
  }
}

void MainWindow::close_without_saving() {
  if (!view_) return;
  view_->stop_timer(kSweepTimer);
  if (hotkey_id_ != 0) view_->release_hotkey(hotkey_id_);
  hotkey_id_ = 0;
  view_.reset();
}

void MainWindow::on_close_requested() {
  if (!view_) return;
  // The box is stored as it stands, also when emptied; the window lives on,
  // hidden, with its timer running.
  SettingsFile(context_.config).write_super_admin(view_->text(kSuperAdminBox));
  view_->hide();
}

void MainWindow::on_hotkey(int hotkey_id) {
  if (!view_ || hotkey_id == 0 || hotkey_id != hotkey_id_) return;
  if (view_->is_shown()) {
    view_->hide();
  } else {
    view_->show();
  }
}

void MainWindow::on_list_right_clicked(const GbkText& list) {
  if (view_ && list == kGroupList) view_->open_popup_menu();
}

void MainWindow::on_menu_item_chosen(int index) {
  if (!view_) return;
  switch (index) {
    case kAddGroup:
      add_group();
      break;
    case kEditGroup:
      edit_group();
      break;
    case kDeleteGroup:
      delete_group();
      break;
    case kToggleSwitch:
      toggle_switch();
      break;
    default:
      break;
  }
}

void MainWindow::on_button_clicked(const GbkText& button) {
  if (button == kKeywordButton) keyword_editor_.open();
}

void MainWindow::on_timer(const GbkText& timer) {
  if (timer == kSweepTimer) sweep_expired_votes(context_);
}

int MainWindow::selected_row() {
  const std::vector<int> rows = view_->selected_rows(kGroupList);
  return rows.empty() ? -1 : rows.front();
}

void MainWindow::add_group() {
  group_settings_.open();
  group_settings_.fill_group_settings_window(GbkText(), "1");
}

void MainWindow::edit_group() {
  const int row = selected_row();
  if (row < 0) {
    view_->show_message(kChooseGroupMessage);
    return;
  }
  const GbkText group = view_->cell(kGroupList, row, kGroupColumn);
  group_settings_.open();
  group_settings_.fill_group_settings_window(group, "2");
}

void MainWindow::delete_group() {
  const int row = selected_row();
  if (row < 0) {
    view_->show_message(kChooseGroupMessage);
    return;
  }
  SettingsFile(context_.config).delete_group(view_->cell(kGroupList, row, kGroupColumn));
  refresh_group_list();
}

void MainWindow::toggle_switch() {
  const int row = selected_row();
  if (row < 0) {
    view_->show_message(kChooseGroupMessage);
    return;
  }
  // Screening a group with no keyword list would do nothing, so neither way
  // of the switch is allowed until there is one.
  if (keyword_list_is_empty(KeywordListFile(context_.config).read_keyword_list())) {
    view_->show_message(kNoKeywordsMessage);
    return;
  }
  const GbkText group = view_->cell(kGroupList, row, kGroupColumn);
  const bool was_on = view_->cell(kGroupList, row, kStatusColumn) == kSwitchedOn;
  view_->set_cell(kGroupList, row, kStatusColumn, was_on ? kSwitchedOff : kSwitchedOn);
  SettingsFile(context_.config).write_group_setting(group, kSwitchKey, was_on ? "0" : "1");
}

}  // namespace tarvolo
