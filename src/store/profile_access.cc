#include "store/profile_access.h"

namespace tarvolo {
namespace {

GbkText skip_leading_control_and_blank(const GbkText& text) {
  std::size_t start = 0;
  while (start < text.size()) {
    const unsigned char byte = static_cast<unsigned char>(text[start]);
    if (byte < 0x01 || byte > 0x20) break;
    ++start;
  }
  return text.substr(start);
}

}  // namespace

GbkText read_profile_value(Env& env, const GbkText& file, const GbkText& section,
                           const GbkText& key) {
  const GbkText path = skip_leading_control_and_blank(file);
  const GbkText section_name = skip_leading_control_and_blank(section);
  const GbkText key_name = skip_leading_control_and_blank(key);
  if (path.empty() || section_name.empty() || key_name.empty()) return GbkText();
  return env.get_profile_string(path, section_name, key_name, GbkText(),
                                kProfileValueBufferSize);
}

bool write_profile_value(Env& env, const GbkText& file, const GbkText& section,
                         const GbkText& key, const GbkText& value) {
  if (has_line_break(section) || has_line_break(key) || has_line_break(value)) return false;
  return env.write_profile_string(file, section, key, value);
}

void delete_profile_section(Env& env, const GbkText& file, const GbkText& section) {
  if (has_line_break(section)) return;
  env.delete_profile_section(file, section);
}

std::vector<GbkText> list_profile_sections(Env& env, const GbkText& file) {
  const std::string buffer = env.get_profile_section_names(file, kProfileSectionNamesBufferSize);
  std::vector<GbkText> names;
  std::size_t start = 0;
  while (start < buffer.size()) {
    std::size_t end = buffer.find('\0', start);
    if (end == std::string::npos) end = buffer.size();
    if (end == start) break;  // the final NUL of the list
    names.push_back(buffer.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

}  // namespace tarvolo
