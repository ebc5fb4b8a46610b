// What the plug-in does once when the host loads the library and once when
// it unloads it, and the state that lives in between.
#ifndef TARVOLO_PLUGIN_MODULE_H_
#define TARVOLO_PLUGIN_MODULE_H_

#include "moderation/context.h"
#include "platform/env.h"
#include "platform/host_api.h"
#include "plugin/retained_text.h"
#include "text/gbk_text.h"

namespace tarvolo {

struct ModuleState {
  ModerationContext context;
  // The last texts returned by "info", "分群管理" and "返回数据处理".
  RetainedText info_text;
  RetainedText group_message_reply;
  RetainedText normalised_text;
  bool started = false;
};

// The loaded module's state. Before start-up the context names no run
// directory.
ModuleState& module_state();

// Fixes the run directory, registers the teardown, brings up the main window
// and makes sure that config/警告次数 exists. Always succeeds.
bool module_startup();

// The same with a given platform, host and executable path (the unit tests'
// way in).
bool module_startup_with(Env& env, HostApi& host, const GbkText& executable_path);

// Releases the retained texts; runs at most once after each start-up.
void module_teardown();

// The directory part of an executable's path, without a final separator.
GbkText directory_of_executable(const GbkText& executable_path);

}  // namespace tarvolo

#endif  // TARVOLO_PLUGIN_MODULE_H_
