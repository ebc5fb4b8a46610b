// UTF-8 <-> UTF-16, for file names: the POSIX file system names files in
// UTF-8 while the plug-in's texts are code page 936.
#ifndef TARVOLO_PLATFORM_POSIX_UTF8_H_
#define TARVOLO_PLATFORM_POSIX_UTF8_H_

#include <string>

#include "text/gbk_text.h"

namespace tarvolo {

// Unpaired surrogates become U+FFFD.
std::string utf16_to_utf8(const std::u16string& text);
// Invalid sequences become U+FFFD.
std::u16string utf8_to_utf16(const std::string& text);

// A UTF-8 text (a path from the system) as code page 936.
GbkText cp936_from_utf8(const std::string& text);

}  // namespace tarvolo

#endif  // TARVOLO_PLATFORM_POSIX_UTF8_H_
