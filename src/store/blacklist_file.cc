#include "store/blacklist_file.h"

#include "store/profile_access.h"

namespace tarvolo {

namespace {
const char kFileName[] = "黑名单.ini";
const char kBlacklistKey[] = "黑名单";
}  // namespace

BlacklistFile::BlacklistFile(const ConfigDir& config)
    : env_(*config.env), path_(config.file(kFileName)) {}

GbkText BlacklistFile::read_blacklist(const GbkText& group) const {
  return read_profile_value(env_, path_, group, kBlacklistKey);
}

bool BlacklistFile::blacklist_contains(const GbkText& group, const GbkText& qq) const {
  return qq_list_contains(read_blacklist(group), qq);
}

bool BlacklistFile::blacklist_add(const GbkText& group, const GbkText& qq) const {
  const GbkText list = read_blacklist(group);
  if (has_line_break(qq) || !qq_list_has_room(list, qq)) return false;
  write_profile_value(env_, path_, group, kBlacklistKey, qq_list_append(list, qq));
  return true;
}

bool BlacklistFile::blacklist_remove(const GbkText& group, const GbkText& qq) const {
  return write_profile_value(env_, path_, group, kBlacklistKey,
                             qq_list_remove(read_blacklist(group), qq));
}

void BlacklistFile::blacklist_clear(const GbkText& group) const {
  delete_profile_section(env_, path_, group);
}

}  // namespace tarvolo
