#include "store/warning_count_dir.h"

namespace tarvolo {

namespace {

const char kDirectoryName[] = "警告次数";
const char kFileSuffix[] = ".ini";

// True when `group` + ".ini" names a file directly inside the directory.
// Separators are looked for at character boundaries: the second byte of a
// Chinese character may be 0x5C, which is no backslash.
bool names_a_plain_file(const GbkText& group) {
  for (const char* part : {"/", "\\", ":"}) {
    if (contains_text(group, part)) return false;
  }
  return group != "." && group != "..";
}

}  // namespace

WarningCountDir::WarningCountDir(const ConfigDir& config)
    : env_(*config.env), directory_(config.file(kDirectoryName) + kPathSeparator) {}

void WarningCountDir::delete_warning_counts(const GbkText& group) const {
  if (!names_a_plain_file(group)) return;
  env_.delete_file(directory_ + group + kFileSuffix);
}

}  // namespace tarvolo
