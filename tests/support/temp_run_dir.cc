#include "support/temp_run_dir.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <stdexcept>

namespace tarvolo {
namespace fixtures {

namespace fs = std::filesystem;

TempRunDir::TempRunDir() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        fs::temp_directory_path() / ("tarvolo-test-" + std::to_string(stamp) + "-" +
                                     std::to_string(counter++));
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      path_ = candidate.string();
      fs::create_directory(candidate / "config");
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary run directory");
}

TempRunDir::~TempRunDir() {
  std::error_code error;
  fs::remove_all(fs::path(path_), error);
}

std::string TempRunDir::read(const GbkText& name) const {
  std::string contents;
  if (!Env::Default().read_file(config_file(name), &contents)) return "<missing>";
  return contents;
}

void TempRunDir::write(const GbkText& name, const std::string& contents) const {
  if (!Env::Default().write_file(config_file(name), contents)) {
    throw std::runtime_error("cannot write a test file");
  }
}

bool TempRunDir::exists(const GbkText& name) const {
  std::string ignored;
  return Env::Default().read_file(config_file(name), &ignored);
}

ModerationContext make_context(const TempRunDir& dir, RecordingHostApi& host, Env& env,
                               int* refresh_count) {
  ModerationContext context{dir.config(env), &host, {}};
  if (refresh_count != nullptr) context.refresh_group_list = [refresh_count] { ++*refresh_count; };
  return context;
}

}  // namespace fixtures
}  // namespace tarvolo
