#include "plugin/entry_points.h"

#include <optional>

#include "moderation/dispatcher.h"
#include "moderation/normalise.h"
#include "plugin/engine_lock.h"
#include "plugin/info_text.h"
#include "plugin/module.h"
#include "ui/window_system.h"

namespace tarvolo {

GbkText copy_argument(const char* text) { return text == nullptr ? GbkText() : GbkText(text); }

namespace {

// One message reads the settings file several times (flags, switch,
// threshold, ...); within the call each file is read once. The next call
// reads every file afresh.
class CallReadScope {
 public:
  explicit CallReadScope(const ModuleState& state) {
    if (state.context.config.env != nullptr) scope_.emplace(*state.context.config.env);
  }

 private:
  std::optional<FileReadScope> scope_;
};

}  // namespace

const char* run_info_entry() {
  EngineLock lock(engine_mutex());
  return module_state().info_text.keep(build_info_text());
}

const char* run_group_message_entry(const char* message, const char* kind, const char* group,
                                    const char* sender, const char* extra) {
  GbkText message_copy = copy_argument(message);
  const GbkText kind_copy = copy_argument(kind);
  const GbkText group_copy = copy_argument(group);
  const GbkText sender_copy = copy_argument(sender);
  const GbkText extra_copy = copy_argument(extra);
  EngineLock lock(engine_mutex());
  ModuleState& state = module_state();
  const CallReadScope reads(state);
  GbkText reply = dispatch_group_message(state.context, message_copy, kind_copy, group_copy,
                                         sender_copy, extra_copy);
  return state.group_message_reply.keep(std::move(reply));
}

const char* run_normalise_entry(const char* text) {
  const GbkText copy = copy_argument(text);
  EngineLock lock(engine_mutex());
  return module_state().normalised_text.keep(normalise_message(copy));
}

int run_fill_group_settings_entry(const char* group, const char* mode) {
  const GbkText group_copy = copy_argument(group);
  const GbkText mode_copy = copy_argument(mode);
  EngineLock lock(engine_mutex());
  fill_open_group_settings_window(group_copy, mode_copy);
  return 0;
}

int run_refresh_group_list_entry() {
  EngineLock lock(engine_mutex());
  refresh_main_window_group_list();
  return 0;
}

int run_pump_events_entry() {
  EngineLock lock(engine_mutex());
  return pump_window_events();
}

}  // namespace tarvolo
