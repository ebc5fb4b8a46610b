// A fresh run directory for one test, with its config directory, removed
// when the test ends; and a moderation context that works in it.
#ifndef TARVOLO_TESTS_SUPPORT_TEMP_RUN_DIR_H_
#define TARVOLO_TESTS_SUPPORT_TEMP_RUN_DIR_H_

#include <string>

#include "moderation/context.h"
#include "platform/env.h"
#include "store/config_dir.h"
#include "support/recording_host_api.h"
#include "text/gbk_text.h"

namespace tarvolo {
namespace fixtures {

class TempRunDir {
 public:
  // Creates <temp>/tarvolo-test-<unique>/config.
  TempRunDir();
  ~TempRunDir();
  TempRunDir(const TempRunDir&) = delete;
  TempRunDir& operator=(const TempRunDir&) = delete;

  const GbkText& path() const { return path_; }
  ConfigDir config(Env& env = Env::Default()) const { return ConfigDir{&env, path_}; }
  // Full path of a file in the config directory.
  GbkText config_file(const GbkText& name) const { return config().file(name); }

  // The file's bytes; "<missing>" when it cannot be read.
  std::string read(const GbkText& name) const;
  void write(const GbkText& name, const std::string& contents) const;
  bool exists(const GbkText& name) const;

 private:
  GbkText path_;
};

// A context in `dir` that records host calls in `host` and counts the group
// list refreshes it is asked for.
ModerationContext make_context(const TempRunDir& dir, RecordingHostApi& host,
                               Env& env = Env::Default(), int* refresh_count = nullptr);

// An Env whose clock the test sets.
class FakeClockEnv : public EnvWrapper {
 public:
  FakeClockEnv() : EnvWrapper(Env::Default()) {}
  LocalTime local_time_now() override { return now; }
  LocalTime now{2013, 11, 3, 12, 0, 0};
};

}  // namespace fixtures
}  // namespace tarvolo

#endif  // TARVOLO_TESTS_SUPPORT_TEMP_RUN_DIR_H_
