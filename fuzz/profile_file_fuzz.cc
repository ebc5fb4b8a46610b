// The POSIX engine of the Windows profile format on arbitrary file bytes:
// reading never fails, and a value written under a plain section and key
// reads back as written while every other section keeps its values.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/posix/profile_file.h"

namespace {

// A name of letters only, so that it needs no quoting in a profile file.
std::string plain_name(const uint8_t* data, size_t size) {
  std::string name = "s";
  for (size_t i = 0; i < size && i < 8; ++i) name += static_cast<char>('a' + data[i] % 26);
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvolo::profile_file;
  if (size < 4) return 0;
  const std::string section = plain_name(data, 2);
  const std::string key = plain_name(data + 2, 2);
  const std::string file(reinterpret_cast<const char*>(data + 4), size - 4);

  get_string(file, section, key, "", 64);
  section_names(file, 64);
  section_names(file, 204800);

  // A value without line breaks, surrounding blanks or quotes is stored and
  // read back verbatim.
  const std::string value = "v" + std::to_string(size) + "v";
  const std::string written = write_string(file, section, key, value);
  if (get_string(written, section, key, "", 10240) != value) std::abort();

  const std::string without_key = delete_key(written, section, key);
  if (get_string(without_key, section, key, "<none>", 10240) != "<none>") std::abort();
  const std::string without_section = delete_section(written, section);
  if (get_string(without_section, section, key, "<none>", 10240) != "<none>") std::abort();
  return 0;
}
