// Windows' private-profile (INI) format, implemented over the bytes of one
// file so that the POSIX build reads and writes profile files exactly as
// GetPrivateProfileStringA, WritePrivateProfileStringA and
// GetPrivateProfileSectionNamesA do on Windows.
//
// Reading: lines end at CR, LF or CR LF; section and key names match without
// regard to ASCII letter case and surrounding blanks; the first of duplicate
// sections or keys wins; a value is trimmed and loses one pair of matching
// quotes. Writing keeps every other byte of the file as it was and ends the
// lines it writes with CR LF.
#ifndef TARVOLO_PLATFORM_POSIX_PROFILE_FILE_H_
#define TARVOLO_PLATFORM_POSIX_PROFILE_FILE_H_

#include <cstddef>
#include <string>

#include "text/gbk_text.h"

namespace tarvolo {
namespace profile_file {

// GetPrivateProfileStringA over `file` (the empty string for a missing file).
GbkText get_string(const std::string& file, const GbkText& section, const GbkText& key,
                   const GbkText& default_value, std::size_t buffer_size);

// GetPrivateProfileSectionNamesA: the bytes it leaves in a buffer of
// buffer_size bytes, up to the length it returns.
std::string section_names(const std::string& file, std::size_t buffer_size);

// The file after WritePrivateProfileStringA(section, key, value).
std::string write_string(const std::string& file, const GbkText& section, const GbkText& key,
                         const GbkText& value);

// The file after WritePrivateProfileStringA(section, key, NULL).
std::string delete_key(const std::string& file, const GbkText& section, const GbkText& key);

// The file after WritePrivateProfileStringA(section, NULL, NULL).
std::string delete_section(const std::string& file, const GbkText& section);

}  // namespace profile_file
}  // namespace tarvolo

#endif  // TARVOLO_PLATFORM_POSIX_PROFILE_FILE_H_
