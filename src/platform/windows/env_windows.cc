// The Windows implementation of Env: the system's own profile functions,
// ANSI file functions (the ANSI code page of a Chinese Windows is 936), the
// local clock and code page 936 conversion.
#include <windows.h>
#include <shlwapi.h>

#include <vector>

#include "platform/env.h"

namespace tarvolo {
namespace {

constexpr UINT kCodePage936 = 936;

class WindowsEnv : public Env {
 public:
  GbkText get_profile_string(const GbkText& path, const GbkText& section, const GbkText& key,
                             const GbkText& default_value, std::size_t buffer_size) override {
    if (buffer_size == 0) return GbkText();
    std::vector<char> buffer(buffer_size, '\0');
    const DWORD length = GetPrivateProfileStringA(
        section.c_str(), key.c_str(), default_value.c_str(), buffer.data(),
        static_cast<DWORD>(buffer_size), path.c_str());
    // A value cut inside a two-byte character can leave a NUL inside the
    // returned length (seen under Wine); the text ends there.
    const GbkText value(buffer.data(), length);
    return value.substr(0, value.find('\0'));
  }

  bool write_profile_string(const GbkText& path, const GbkText& section, const GbkText& key,
                            const GbkText& value) override {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                      path.c_str()) != FALSE;
  }

  bool delete_profile_key(const GbkText& path, const GbkText& section,
                          const GbkText& key) override {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, path.c_str()) !=
           FALSE;
  }

  bool delete_profile_section(const GbkText& path, const GbkText& section) override {
    return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, path.c_str()) != FALSE;
  }

  std::string get_profile_section_names(const GbkText& path, std::size_t buffer_size) override {
    if (buffer_size == 0) return std::string();
    std::vector<char> buffer(buffer_size, '\0');
    const DWORD length = GetPrivateProfileSectionNamesA(
        buffer.data(), static_cast<DWORD>(buffer_size), path.c_str());
    return std::string(buffer.data(), length);
  }

  bool read_file(const GbkText& path, std::string* contents) override {
    contents->clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0) {
      contents->append(buffer, got);
    }
    CloseHandle(file);
    if (!ok) contents->clear();
    return ok;
  }

  bool write_file(const GbkText& path, const std::string& contents) override {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::size_t written = 0;
    bool ok = true;
    while (ok && written < contents.size()) {
      DWORD put = 0;
      ok = WriteFile(file, contents.data() + written,
                     static_cast<DWORD>(contents.size() - written), &put, nullptr) != FALSE &&
           put > 0;
      written += put;
    }
    if (CloseHandle(file) == FALSE) ok = false;
    return ok;
  }

  bool delete_file(const GbkText& path) override { return DeleteFileA(path.c_str()) != FALSE; }

  bool is_directory(const GbkText& path) override {
    return PathIsDirectoryA(path.c_str()) != FALSE;
  }

  bool create_directory(const GbkText& path) override {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
  }

  bool remove_directory_tree(const GbkText& path) override {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    bool ok = true;
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const GbkText name = entry.cFileName;
        if (name == "." || name == "..") continue;
        const GbkText child = path + "\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          if (!remove_directory_tree(child)) ok = false;
        } else if (DeleteFileA(child.c_str()) == FALSE) {
          ok = false;
        }
      } while (FindNextFileA(search, &entry) != FALSE);
      FindClose(search);
    }
    return RemoveDirectoryA(path.c_str()) != FALSE && ok;
  }

  GbkText executable_path() override {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
      const DWORD length =
          GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
      if (length == 0) return GbkText();
      if (length < buffer.size()) return GbkText(buffer.data(), length);
      buffer.resize(buffer.size() * 2);
    }
  }

  LocalTime local_time_now() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    LocalTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    return time;
  }

  std::int64_t monotonic_milliseconds() override {
    return static_cast<std::int64_t>(GetTickCount64());
  }

  std::u16string gbk_to_utf16(const GbkText& text) override {
    const std::size_t end = text.find('\0');
    const int length = static_cast<int>(end == GbkText::npos ? text.size() : end);
    if (length == 0) return std::u16string();
    const int wide = MultiByteToWideChar(kCodePage936, 0, text.data(), length, nullptr, 0);
    std::u16string result(static_cast<std::size_t>(wide), u'\0');
    MultiByteToWideChar(kCodePage936, 0, text.data(), length,
                        reinterpret_cast<wchar_t*>(&result[0]), wide);
    return result;
  }

  GbkText utf16_to_gbk(const std::u16string& text) override {
    const std::size_t end = text.find(u'\0');
    const int length = static_cast<int>(end == std::u16string::npos ? text.size() : end);
    if (length == 0) return GbkText();
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int narrow =
        WideCharToMultiByte(kCodePage936, 0, wide, length, nullptr, 0, nullptr, nullptr);
    GbkText result(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(kCodePage936, 0, wide, length, &result[0], narrow, nullptr, nullptr);
    return result;
  }
};

}  // namespace

Env& Env::Default() {
  // Never destroyed: the library's unload hook still uses it.
  static WindowsEnv* const env = new WindowsEnv;
  return *env;
}

}  // namespace tarvolo
