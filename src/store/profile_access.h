// The four operations through which every INI file of the plug-in is read
// and written. Each is one call of the platform's profile functions on a
// full path; nothing is cached, and a write is in the file when it returns.
#ifndef TARVOLO_STORE_PROFILE_ACCESS_H_
#define TARVOLO_STORE_PROFILE_ACCESS_H_

#include <cstddef>
#include <vector>

#include "platform/env.h"
#include "text/gbk_text.h"

namespace tarvolo {

// Values are read through a buffer of this size, so at most 10,239 bytes.
constexpr std::size_t kProfileValueBufferSize = 10240;
// Section names share one buffer of this size.
constexpr std::size_t kProfileSectionNamesBufferSize = 204800;

// The value, trimmed by the platform, or the empty text when the file,
// section or key is missing. Leading bytes 0x01..0x20 of the file name,
// section and key are skipped; when one of them is then empty the result is
// the empty text.
GbkText read_profile_value(Env& env, const GbkText& file, const GbkText& section,
                           const GbkText& key);

// Stores the value. A section, key or value holding a line break is refused
// (false, nothing written): written as it is, it would add lines of its own
// to the file, other sections and keys included.
bool write_profile_value(Env& env, const GbkText& file, const GbkText& section,
                         const GbkText& key, const GbkText& value);

// Removes the section line and every key under it; a missing section or file
// stays as it was.
void delete_profile_section(Env& env, const GbkText& file, const GbkText& section);

// The section names in file order; a missing or empty file gives none.
std::vector<GbkText> list_profile_sections(Env& env, const GbkText& file);

}  // namespace tarvolo

#endif  // TARVOLO_STORE_PROFILE_ACCESS_H_
