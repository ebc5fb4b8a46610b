#include "ui/group_settings_window.h"

#include <utility>

#include "store/keyword_list_file.h"
#include "store/settings_file.h"
#include "ui/window_layout.h"

namespace tarvolo {
namespace {

using namespace group_settings_window;

const char kIncompleteMessage[] = "请填写完所有配置！";
const char kNoKeywordsMessage[] = "尚未设置关键词词库，请先设置关键词！";

// The item that a stored action mode selects: beyond the last item the last
// one, below the first none.
int action_mode_item(const GbkText& stored, int item_count) {
  const int mode = text_to_int(stored);
  if (mode < 0) return -1;
  return mode < item_count ? mode : item_count - 1;
}

}  // namespace

GroupSettingsWindow::GroupSettingsWindow(const ModerationContext& context, ViewFactory& factory,
                                         std::function<void()> refresh_group_list)
    : context_(context), factory_(factory), refresh_group_list_(std::move(refresh_group_list)) {}

void GroupSettingsWindow::open() {
  if (view_) {
    view_->bring_forward();
    return;
  }
  view_ = factory_.create_view(layout(), *this);
  view_->show();
}

void GroupSettingsWindow::fill_group_settings_window(const GbkText& group, const GbkText& mode) {
  if (!view_) return;
  if (mode == "2") {
    fill_existing_group(group);
  } else if (mode == "1") {
    // A new group: everything else stays as the user left it.
    view_->select_item(kActionModeList, kVoteRemovalItem);
  }
}

void GroupSettingsWindow::fill_existing_group(const GbkText& group) {
  const SettingsFile settings(context_.config);
  // The number names the section being edited; it stays locked until the
  // window closes, also when the window is reused for a new group.
  view_->set_enabled(kGroupBox, false);
  view_->set_text(kGroupBox, group);
  const int item_count =
      static_cast<int>(layout().find(kActionModeList)->items.size());
  view_->select_item(kActionModeList,
                     action_mode_item(settings.read_group_setting(group, kActionModeKey),
                                      item_count));
  view_->set_text(kTriggerCountBox, settings.read_group_setting(group, kTriggerCountKey));
  view_->set_text(kVoteLimitBox, settings.read_group_setting(group, kVoteLimitKey));
  view_->set_checked(kAutoBlacklistBox,
                     settings.read_group_setting(group, kAutoBlacklistKey) == "1");
}

void GroupSettingsWindow::save_group_settings() {
  if (!view_) return;
  const GbkText group = view_->text(kGroupBox);
  const GbkText vote_limit = view_->text(kVoteLimitBox);
  if (group.empty() || vote_limit.empty()) {
    view_->show_message(kIncompleteMessage);
    return;
  }
  const SettingsFile settings(context_.config);
  settings.write_group_setting(group, kActionModeKey,
                               int_to_text(view_->selected_item(kActionModeList)));
  settings.write_group_setting(group, kTriggerCountKey, view_->text(kTriggerCountBox));
  settings.write_group_setting(group, kVoteLimitKey, vote_limit);
  if (refresh_group_list_) refresh_group_list_();
  settings.write_group_setting(group, kAutoBlacklistKey,
                               view_->is_checked(kAutoBlacklistBox) ? "1" : "0");
  // A reminder only: the settings are stored already.
  if (keyword_list_is_empty(KeywordListFile(context_.config).read_keyword_list())) {
    view_->show_message(kNoKeywordsMessage);
  }
}

void GroupSettingsWindow::close_without_saving() { view_.reset(); }

void GroupSettingsWindow::on_close_requested() {
  save_group_settings();
  // The last thing done here: the view goes, and with it the window whose
  // event this is.
  view_.reset();
}

}  // namespace tarvolo
