// Loads the plug-in library and finds its entry points by their exported
// names (code page 936 texts), as the real host does.
#ifndef TARVOLO_TOOLS_HOST_SIM_PLUGIN_LIBRARY_H_
#define TARVOLO_TOOLS_HOST_SIM_PLUGIN_LIBRARY_H_

#include <memory>
#include <string>

namespace host_sim {

class PluginLibrary {
 public:
  // nullptr when the library or one of its five entries cannot be found;
  // `error` then says why.
  static std::unique_ptr<PluginLibrary> load(const std::string& path, std::string* error);
  ~PluginLibrary();  // unloads the library

  const char* info();
  const char* group_message(const char* message, const char* kind, const char* group,
                            const char* sender, const char* extra);
  const char* normalise(const char* text);
  int fill_group_settings(const char* group, const char* mode);
  int refresh_group_list();

  // Lets the plug-in's windows and timer run: on Windows by dispatching the
  // thread's pending window messages, elsewhere through the library's
  // pump_events. Returns the timer ticks that ran (0 on Windows, where the
  // message loop does not tell).
  int pump();

  struct Impl;

 private:
  explicit PluginLibrary(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// Directory of this program's executable, where the host keeps the plug-in,
// the host API library and the config directory.
std::string executable_directory();

// The platform's name of the plug-in library and of the host API library.
extern const char kPluginFileName[];
extern const char kHostApiFileName[];
extern const char kPathSeparator[];

}  // namespace host_sim

#endif  // TARVOLO_TOOLS_HOST_SIM_PLUGIN_LIBRARY_H_
