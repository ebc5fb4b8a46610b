#include "plugin/module.h"

#include "plugin/directory_chain.h"
#include "plugin/engine_lock.h"
#include "ui/window_system.h"

namespace tarvolo {

ModuleState& module_state() {
  // Never destroyed: the unload hook may run after the library's static
  // objects are gone, and it still has to release the retained texts.
  static ModuleState* const state = new ModuleState{
      ModerationContext{ConfigDir{&Env::Default(), GbkText()}, &HostApi::Default(), {}}, {}, {}, {},
      false};
  return *state;
}

GbkText directory_of_executable(const GbkText& executable_path) {
  const std::size_t separator = executable_path.rfind(kPathSeparator);
  if (separator == GbkText::npos) return GbkText();
  return executable_path.substr(0, separator);
}

bool module_startup() {
  return module_startup_with(Env::Default(), HostApi::Default(),
                             Env::Default().executable_path());
}

bool module_startup_with(Env& env, HostApi& host, const GbkText& executable_path) {
  EngineLock lock(engine_mutex());
  ModuleState& state = module_state();
  state.context.config = ConfigDir{&env, directory_of_executable(executable_path)};
  state.context.host = &host;
  state.context.refresh_group_list = [] { refresh_main_window_group_list(); };
  // The teardown is armed from here on; it runs once.
  state.started = true;

  start_windows(state.context);

  const GbkText warning_dir = state.context.config.run_directory + kPathSeparator + "config" +
                              kPathSeparator + "警告次数";
  if (!env.is_directory(warning_dir)) ensure_directory_chain(env, warning_dir);
  return true;
}

void module_teardown() {
  EngineLock lock(engine_mutex());
  ModuleState& state = module_state();
  if (!state.started) return;
  state.started = false;
  stop_windows();
  state.info_text.release();
  state.group_message_reply.release();
  state.normalised_text.release();
}

}  // namespace tarvolo
