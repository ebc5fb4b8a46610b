// The Linux implementation of Env: profile files through our own engine of
// the Windows format, files written atomically, UTF-8 file names.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <ctime>

#include "platform/env.h"
#include "platform/posix/cp936.h"
#include "platform/posix/profile_file.h"
#include "platform/posix/read_scope_cache.h"
#include "platform/posix/utf8.h"

namespace tarvolo {
namespace {

std::string native_path(const GbkText& path) { return utf16_to_utf8(cp936_to_utf16(path)); }

// Reads straight into `contents`, asking for one byte more than the file's
// size: a regular file that returns less than asked for has ended, so an
// unchanged file takes one read (open, fstat, read, close). A file that grew
// meanwhile is read on until its end.
bool read_native_file(const std::string& path, std::string* contents) {
  contents->clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return false;
  }
  std::size_t size = 0;
  std::size_t capacity = static_cast<std::size_t>(info.st_size) + 1;
  contents->resize(capacity);
  for (;;) {
    const ssize_t got = ::read(fd, &(*contents)[size], capacity - size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ::close(fd);
      contents->clear();
      return false;
    }
    size += static_cast<std::size_t>(got);
    if (got == 0 || size < capacity) break;
    capacity *= 2;  // the file grew after fstat
    contents->resize(capacity);
  }
  ::close(fd);
  contents->resize(size);
  return true;
}

// The file's bytes, from the calling thread's read scope when one is open.
const std::string& file_bytes(const GbkText& path, std::string* scratch, bool* readable) {
  return read_scope::file_bytes(path, scratch, readable, [&](std::string* bytes) {
    return read_native_file(native_path(path), bytes);
  });
}

std::string directory_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Writes the new contents beside the old file and renames them over it, so a
// crash leaves either the old file or the new one, never half of either.
bool write_native_file_atomically(const std::string& path, const std::string& contents) {
  std::string temp = path + ".tmpXXXXXX";
  const int fd = ::mkstemp(&temp[0]);
  if (fd < 0) return false;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat old_info;
  const mode_t mode = (::stat(path.c_str(), &old_info) == 0) ? (old_info.st_mode & 07777)
                                                             : (0666 & ~mask);
  bool ok = ::fchmod(fd, mode) == 0;
  std::size_t written = 0;
  while (ok && written < contents.size()) {
    const ssize_t put = ::write(fd, contents.data() + written, contents.size() - written);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) ok = false;
    else written += static_cast<std::size_t>(put);
  }
  if (ok) ok = ::fdatasync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable.
  const int dir_fd = ::open(directory_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
  return true;
}

bool remove_native_tree(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) return false;
  if (!S_ISDIR(info.st_mode)) return ::unlink(path.c_str()) == 0;
  DIR* dir = ::opendir(path.c_str());
  if (dir == nullptr) return false;
  bool ok = true;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (!remove_native_tree(path + "/" + name)) ok = false;
  }
  ::closedir(dir);
  return ::rmdir(path.c_str()) == 0 && ok;
}

class PosixEnv : public Env {
 public:
  GbkText get_profile_string(const GbkText& path, const GbkText& section, const GbkText& key,
                             const GbkText& default_value, std::size_t buffer_size) override {
    std::string scratch;
    bool readable = false;
    return profile_file::get_string(file_bytes(path, &scratch, &readable), section, key,
                                    default_value, buffer_size);
  }

  bool write_profile_string(const GbkText& path, const GbkText& section, const GbkText& key,
                            const GbkText& value) override {
    return rewrite_profile(path, true, [&](const std::string& file) {
      return profile_file::write_string(file, section, key, value);
    });
  }

  bool delete_profile_key(const GbkText& path, const GbkText& section,
                          const GbkText& key) override {
    return rewrite_profile(path, false, [&](const std::string& file) {
      return profile_file::delete_key(file, section, key);
    });
  }

  bool delete_profile_section(const GbkText& path, const GbkText& section) override {
    return rewrite_profile(path, false, [&](const std::string& file) {
      return profile_file::delete_section(file, section);
    });
  }

  std::string get_profile_section_names(const GbkText& path, std::size_t buffer_size) override {
    std::string scratch;
    bool readable = false;
    return profile_file::section_names(file_bytes(path, &scratch, &readable), buffer_size);
  }

  bool read_file(const GbkText& path, std::string* contents) override {
    bool readable = false;
    const std::string& bytes = file_bytes(path, contents, &readable);
    if (&bytes != contents) contents->assign(bytes);
    return readable;
  }

  bool write_file(const GbkText& path, const std::string& contents) override {
    const bool written = write_native_file_atomically(native_path(path), contents);
    read_scope::note_write();
    return written;
  }

  bool delete_file(const GbkText& path) override {
    const bool deleted = ::unlink(native_path(path).c_str()) == 0;
    read_scope::note_write();
    return deleted;
  }

  bool is_directory(const GbkText& path) override {
    struct stat info;
    return ::stat(native_path(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  }

  bool create_directory(const GbkText& path) override {
    const bool created = ::mkdir(native_path(path).c_str(), 0777) == 0;
    read_scope::note_write();
    return created;
  }

  bool remove_directory_tree(const GbkText& path) override {
    const bool removed = remove_native_tree(native_path(path));
    read_scope::note_write();
    return removed;
  }

  GbkText executable_path() override {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return GbkText();
    return cp936_from_utf8(std::string(buffer, static_cast<std::size_t>(length)));
  }

  LocalTime local_time_now() override {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    ::localtime_r(&now, &parts);
    LocalTime time;
    time.year = parts.tm_year + 1900;
    time.month = parts.tm_mon + 1;
    time.day = parts.tm_mday;
    time.hour = parts.tm_hour;
    time.minute = parts.tm_min;
    time.second = parts.tm_sec;
    return time;
  }

  std::int64_t monotonic_milliseconds() override {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
  }

  std::u16string gbk_to_utf16(const GbkText& text) override { return cp936_to_utf16(text); }
  GbkText utf16_to_gbk(const std::u16string& text) override { return utf16_to_cp936(text); }

  void begin_read_scope() override { read_scope::begin(); }
  void end_read_scope() override { read_scope::end(); }

 private:
  // Reads the file, applies one change and writes the result back. A change
  // that only deletes never creates a missing file.
  template <typename Change>
  bool rewrite_profile(const GbkText& path, bool may_create, Change change) {
    const std::string native = native_path(path);
    std::string before;
    const bool existed = read_native_file(native, &before);
    if (!existed && !may_create) return true;
    const std::string after = change(before);
    if (existed && after == before) return true;
    const bool written = write_native_file_atomically(native, after);
    read_scope::note_write();
    return written;
  }
};

}  // namespace

Env& Env::Default() {
  // Never destroyed: the library's unload hook still uses it.
  static PosixEnv* const env = new PosixEnv;
  return *env;
}

}  // namespace tarvolo
