#include "ui/memory_window_view.h"

#include <algorithm>
#include <stdexcept>

namespace tarvolo {

MemoryWindowView::MemoryWindowView(const WindowLayout& layout, WindowEvents& events,
                                   MemoryViewFactory& factory)
    : layout_(layout), events_(events), factory_(factory) {
  for (const ControlLayout& control : layout.controls) {
    ControlState& state = controls_[control.name];
    state.kind = control.kind;
    state.text = control.text;
    state.items = control.items;
    state.selected_item = control.selected_item;
    state.column_count = control.columns.size();
  }
  factory_.open_views_.push_back(this);
  ++factory_.created_[layout.title];
}

MemoryWindowView::~MemoryWindowView() {
  auto& open = factory_.open_views_;
  open.erase(std::remove(open.begin(), open.end(), this), open.end());
}

MemoryWindowView::ControlState& MemoryWindowView::control(const GbkText& name) {
  auto found = controls_.find(name);
  if (found == controls_.end()) {
    throw std::invalid_argument("no control " + name + " in window " + layout_.title);
  }
  return found->second;
}

MemoryWindowView::ControlState& MemoryWindowView::list(const GbkText& name) {
  ControlState& state = control(name);
  if (state.kind != ControlKind::kReportList) {
    throw std::invalid_argument(name + " is not a report list");
  }
  return state;
}

void MemoryWindowView::set_text(const GbkText& name, const GbkText& text) {
  control(name).text = text;
}

GbkText MemoryWindowView::text(const GbkText& name) { return control(name).text; }

void MemoryWindowView::set_enabled(const GbkText& name, bool enabled) {
  control(name).enabled = enabled;
}

bool MemoryWindowView::is_enabled(const GbkText& name) { return control(name).enabled; }

void MemoryWindowView::set_checked(const GbkText& name, bool checked) {
  control(name).checked = checked;
}

bool MemoryWindowView::is_checked(const GbkText& name) { return control(name).checked; }

void MemoryWindowView::select_item(const GbkText& name, int index) {
  ControlState& state = control(name);
  // Like a drop-down list, an index outside the items selects nothing.
  state.selected_item =
      index >= 0 && index < static_cast<int>(state.items.size()) ? index : -1;
}

int MemoryWindowView::selected_item(const GbkText& name) { return control(name).selected_item; }

GbkText MemoryWindowView::item_text(const GbkText& name, int index) {
  const ControlState& state = control(name);
  if (index < 0 || index >= static_cast<int>(state.items.size())) return GbkText();
  return state.items[static_cast<std::size_t>(index)];
}

void MemoryWindowView::clear_rows(const GbkText& name) {
  ControlState& state = list(name);
  state.rows.clear();
  state.selected_rows.clear();
}

void MemoryWindowView::add_row(const GbkText& name, const std::vector<GbkText>& cells) {
  ControlState& state = list(name);
  std::vector<GbkText> row = cells;
  row.resize(state.column_count);
  state.rows.push_back(row);
}

int MemoryWindowView::row_count(const GbkText& name) {
  return static_cast<int>(list(name).rows.size());
}

GbkText MemoryWindowView::cell(const GbkText& name, int row, int column) {
  const ControlState& state = list(name);
  if (row < 0 || row >= static_cast<int>(state.rows.size()) || column < 0 ||
      column >= static_cast<int>(state.column_count)) {
    return GbkText();
  }
  return state.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void MemoryWindowView::set_cell(const GbkText& name, int row, int column, const GbkText& text) {
  ControlState& state = list(name);
  if (row < 0 || row >= static_cast<int>(state.rows.size()) || column < 0 ||
      column >= static_cast<int>(state.column_count)) {
    return;
  }
  state.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
}

std::vector<int> MemoryWindowView::selected_rows(const GbkText& name) {
  const ControlState& state = list(name);
  return std::vector<int>(state.selected_rows.begin(), state.selected_rows.end());
}

std::vector<std::vector<GbkText>> MemoryWindowView::rows(const GbkText& name) {
  return list(name).rows;
}

void MemoryWindowView::select_rows(const GbkText& name, const std::vector<int>& rows) {
  ControlState& state = list(name);
  state.selected_rows.clear();
  for (int row : rows) {
    if (row >= 0 && row < static_cast<int>(state.rows.size())) state.selected_rows.insert(row);
  }
}

void MemoryWindowView::show() {
  shown_ = true;
  minimised_ = false;
}

void MemoryWindowView::hide() { shown_ = false; }

void MemoryWindowView::bring_forward() {
  ++bring_forward_count_;
  shown_ = true;
  minimised_ = false;
}

void MemoryWindowView::show_message(const GbkText& text) {
  factory_.messages_.push_back(ShownMessage{layout_.title, text});
}

void MemoryWindowView::start_timer(const GbkText& name, int period_milliseconds) {
  ControlState& state = control(name);
  if (state.timer_period == 0 && period_milliseconds > 0) ++factory_.running_timers_;
  if (state.timer_period != 0 && period_milliseconds <= 0) --factory_.running_timers_;
  state.timer_period = period_milliseconds > 0 ? period_milliseconds : 0;
}

void MemoryWindowView::stop_timer(const GbkText& name) {
  ControlState& state = control(name);
  if (state.timer_period != 0) --factory_.running_timers_;
  state.timer_period = 0;
}

int MemoryWindowView::timer_period(const GbkText& name) { return control(name).timer_period; }

int MemoryWindowView::register_hotkey(int virtual_key) {
  if (factory_.keys_taken_elsewhere.count(virtual_key) != 0) return 0;
  for (const auto& hotkey : factory_.hotkeys_) {
    if (hotkey.second == virtual_key) return 0;
  }
  const int id = factory_.next_hotkey_id_++;
  factory_.hotkeys_[id] = virtual_key;
  return id;
}

void MemoryWindowView::release_hotkey(int hotkey_id) { factory_.hotkeys_.erase(hotkey_id); }

std::unique_ptr<WindowView> MemoryViewFactory::create_view(const WindowLayout& layout,
                                                           WindowEvents& events) {
  return std::make_unique<MemoryWindowView>(layout, events, *this);
}

MemoryWindowView* MemoryViewFactory::find(const GbkText& title) const {
  for (MemoryWindowView* view : open_views_) {
    if (view->layout().title == title) return view;
  }
  return nullptr;
}

int MemoryViewFactory::created_count(const GbkText& title) const {
  const auto found = created_.find(title);
  return found == created_.end() ? 0 : found->second;
}

}  // namespace tarvolo
