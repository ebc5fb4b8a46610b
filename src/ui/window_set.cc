#include "ui/window_set.h"

namespace tarvolo {

WindowSet::WindowSet(const ModerationContext& context, ViewFactory& factory)
    : group_settings_(context, factory, [this] { main_window_.refresh_group_list(); }),
      keyword_editor_(context, factory),
      main_window_(context, factory, group_settings_, keyword_editor_) {}

WindowSet::~WindowSet() { stop(); }

void WindowSet::start() { main_window_.open(); }

void WindowSet::stop() {
  group_settings_.close_without_saving();
  keyword_editor_.close_without_saving();
  main_window_.close_without_saving();
}

}  // namespace tarvolo
