#include "console_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace host_sim {

#ifdef _WIN32

namespace {

std::string convert(const std::string& text, UINT from, UINT to) {
  if (text.empty()) return std::string();
  const int wide_length = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()),
                                              nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), &wide[0], wide_length);
  const int length = WideCharToMultiByte(to, 0, wide.data(), wide_length, nullptr, 0, nullptr,
                                         nullptr);
  std::string result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(to, 0, wide.data(), wide_length, &result[0], length, nullptr, nullptr);
  return result;
}

}  // namespace

std::string utf8_to_gbk(const std::string& text) { return convert(text, CP_UTF8, 936); }
std::string gbk_to_utf8(const std::string& text) { return convert(text, 936, CP_UTF8); }

#else

namespace {

// Converts with iconv; a byte sequence it cannot take is replaced by
// `replacement` and skipped (one byte at a time).
std::string convert(const std::string& text, const char* to, const char* from,
                    const std::string& replacement) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string result;
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char buffer[4096];
  while (in_left > 0) {
    char* out = buffer;
    std::size_t out_left = sizeof buffer;
    const std::size_t done = iconv(cd, &in, &in_left, &out, &out_left);
    result.append(buffer, static_cast<std::size_t>(out - buffer));
    if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
      result += replacement;
      ++in;
      --in_left;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return result;
}

}  // namespace

std::string utf8_to_gbk(const std::string& text) { return convert(text, "GBK", "UTF-8", "?"); }
std::string gbk_to_utf8(const std::string& text) {
  return convert(text, "UTF-8", "GBK", "\xEF\xBF\xBD");
}

#endif

}  // namespace host_sim
