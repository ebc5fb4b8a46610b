// The operating system as the plug-in sees it: profile (INI) files, whole
// files and directories, the clock, the host executable's path and the
// conversion between code page 936 and UTF-16.
//
// The portable core never includes an operating-system header; it reaches the
// system only through this interface. One implementation is compiled per
// platform (platform/windows, platform/posix) and returned by Env::Default().
//
// Every path is a GbkText. On Windows it goes to the ANSI functions as it is;
// off Windows the implementation turns it into the file system's UTF-8.
#ifndef TARVOLO_PLATFORM_ENV_H_
#define TARVOLO_PLATFORM_ENV_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "text/gbk_text.h"

namespace tarvolo {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// A local date and time in whole seconds. Months and days count from 1.
struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const LocalTime& a, const LocalTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
  }
};

class Env {
 public:
  virtual ~Env() = default;

  // The platform's own implementation; lives as long as the process.
  static Env& Default();

  // --- Profile files, with the semantics of the Windows private-profile API.
  // GetPrivateProfileStringA: the value, cut to buffer_size - 1 bytes; the
  // default when the file, section or key is missing.
  virtual GbkText get_profile_string(const GbkText& path, const GbkText& section,
                                     const GbkText& key, const GbkText& default_value,
                                     std::size_t buffer_size) = 0;
  // WritePrivateProfileStringA with a key and a value.
  virtual bool write_profile_string(const GbkText& path, const GbkText& section,
                                    const GbkText& key, const GbkText& value) = 0;
  // WritePrivateProfileStringA with a key and no value: deletes the key line.
  virtual bool delete_profile_key(const GbkText& path, const GbkText& section,
                                  const GbkText& key) = 0;
  // WritePrivateProfileStringA with neither key nor value: deletes the section.
  virtual bool delete_profile_section(const GbkText& path, const GbkText& section) = 0;
  // GetPrivateProfileSectionNamesA: the bytes the function puts in a buffer
  // of buffer_size bytes, up to its returned length (each name followed by
  // a NUL).
  virtual std::string get_profile_section_names(const GbkText& path,
                                                std::size_t buffer_size) = 0;

  // --- Whole files and directories.
  // False when the file cannot be read; `contents` is then empty.
  virtual bool read_file(const GbkText& path, std::string* contents) = 0;
  // Creates or replaces the whole file. Off Windows the new contents go to a
  // temporary file in the same directory first, renamed over the old one.
  virtual bool write_file(const GbkText& path, const std::string& contents) = 0;
  virtual bool delete_file(const GbkText& path) = 0;
  virtual bool is_directory(const GbkText& path) = 0;
  virtual bool create_directory(const GbkText& path) = 0;
  // Removes a directory with everything in it.
  virtual bool remove_directory_tree(const GbkText& path) = 0;

  // --- Process and clock.
  // Full path of the executable of the process that loaded the library.
  virtual GbkText executable_path() = 0;
  virtual LocalTime local_time_now() = 0;
  // Milliseconds from an arbitrary start, never going back (unlike the local
  // clock, which the user may set); paces the windows' timer off Windows.
  virtual std::int64_t monotonic_milliseconds() = 0;

  // --- Code page 936 <-> UTF-16, with the rules of Windows' own conversion
  // (MultiByteToWideChar / WideCharToMultiByte on code page 936). A text is
  // cut at its first NUL.
  virtual std::u16string gbk_to_utf16(const GbkText& text) = 0;
  virtual GbkText utf16_to_gbk(const std::u16string& text) = 0;

  // --- Reads within one call of the plug-in (see FileReadScope).
  // While a scope is open on the calling thread, an implementation may answer
  // a read of a file that this thread already read in the scope from the
  // bytes it read then, as long as no write went through this Env since.
  // Scopes nest; the outermost end forgets every file read. The default keeps
  // nothing and reads every time.
  virtual void begin_read_scope() {}
  virtual void end_read_scope() {}
};

// One call of the plug-in (an entry call, a window event, a timer tick) reads
// the settings file several times; every read within the call sees the same
// file unless the call writes it itself. Files are still read afresh by
// every call, so a change made between two calls applies from the next one.
class FileReadScope {
 public:
  explicit FileReadScope(Env& env) : env_(env) { env_.begin_read_scope(); }
  ~FileReadScope() { env_.end_read_scope(); }
  FileReadScope(const FileReadScope&) = delete;
  FileReadScope& operator=(const FileReadScope&) = delete;

 private:
  Env& env_;
};

// Forwards every call to another Env; tests derive from it to replace one
// facility (the clock, say) and keep the real files.
class EnvWrapper : public Env {
 public:
  explicit EnvWrapper(Env& target) : target_(target) {}

  GbkText get_profile_string(const GbkText& path, const GbkText& section, const GbkText& key,
                             const GbkText& default_value, std::size_t buffer_size) override {
    return target_.get_profile_string(path, section, key, default_value, buffer_size);
  }
  bool write_profile_string(const GbkText& path, const GbkText& section, const GbkText& key,
                            const GbkText& value) override {
    return target_.write_profile_string(path, section, key, value);
  }
  bool delete_profile_key(const GbkText& path, const GbkText& section,
                          const GbkText& key) override {
    return target_.delete_profile_key(path, section, key);
  }
  bool delete_profile_section(const GbkText& path, const GbkText& section) override {
    return target_.delete_profile_section(path, section);
  }
  std::string get_profile_section_names(const GbkText& path, std::size_t buffer_size) override {
    return target_.get_profile_section_names(path, buffer_size);
  }
  bool read_file(const GbkText& path, std::string* contents) override {
    return target_.read_file(path, contents);
  }
  bool write_file(const GbkText& path, const std::string& contents) override {
    return target_.write_file(path, contents);
  }
  bool delete_file(const GbkText& path) override { return target_.delete_file(path); }
  bool is_directory(const GbkText& path) override { return target_.is_directory(path); }
  bool create_directory(const GbkText& path) override { return target_.create_directory(path); }
  bool remove_directory_tree(const GbkText& path) override {
    return target_.remove_directory_tree(path);
  }
  GbkText executable_path() override { return target_.executable_path(); }
  LocalTime local_time_now() override { return target_.local_time_now(); }
  std::int64_t monotonic_milliseconds() override { return target_.monotonic_milliseconds(); }
  std::u16string gbk_to_utf16(const GbkText& text) override { return target_.gbk_to_utf16(text); }
  GbkText utf16_to_gbk(const std::u16string& text) override { return target_.utf16_to_gbk(text); }
  void begin_read_scope() override { target_.begin_read_scope(); }
  void end_read_scope() override { target_.end_read_scope(); }

 private:
  Env& target_;
};

}  // namespace tarvolo

#endif  // TARVOLO_PLATFORM_ENV_H_
