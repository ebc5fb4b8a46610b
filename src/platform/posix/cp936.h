// Code page 936 <-> UTF-16 with the results of Windows' MultiByteToWideChar
// and WideCharToMultiByte, for every byte string: glibc's iconv rejects bytes
// that Windows maps (0xFF, the user-defined areas, some unassigned cells), so
// its errors are handled with Windows' rules.
#ifndef TARVOLO_PLATFORM_POSIX_CP936_H_
#define TARVOLO_PLATFORM_POSIX_CP936_H_

#include <string>

namespace tarvolo {

// Cut at the first NUL.
std::u16string cp936_to_utf16(const std::string& text);
std::string utf16_to_cp936(const std::u16string& text);

}  // namespace tarvolo

#endif  // TARVOLO_PLATFORM_POSIX_CP936_H_
