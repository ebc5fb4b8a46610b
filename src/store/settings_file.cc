#include "store/settings_file.h"

#include "store/profile_access.h"

namespace tarvolo {

const char kSwitchKey[] = "开关";
const char kActionModeKey[] = "操作方式";
const char kTriggerCountKey[] = "触发次数";
const char kAutoBlacklistKey[] = "自动加黑名单";
const char kVoteLimitKey[] = "得票上限";
const char kAdminListKey[] = "管理员";

namespace {
const char kFileName[] = "Tarvolo.ini";
const char kSuperAdminSection[] = "超级管理员";
const char kSuperAdminKey[] = "QQ";
}  // namespace

SettingsFile::SettingsFile(const ConfigDir& config)
    : env_(*config.env), path_(config.file(kFileName)) {}

GbkText SettingsFile::read_super_admin() const {
  return read_profile_value(env_, path_, kSuperAdminSection, kSuperAdminKey);
}

void SettingsFile::write_super_admin(const GbkText& qq) const {
  write_profile_value(env_, path_, kSuperAdminSection, kSuperAdminKey, qq);
}

bool SettingsFile::is_super_admin(const GbkText& qq) const {
  if (qq.empty()) return false;
  const GbkText stored = read_super_admin();
  return !stored.empty() && stored == qq;
}

bool SettingsFile::is_group_admin(const GbkText& qq, const GbkText& group) const {
  const GbkText list = read_admin_list(group);
  return is_super_admin(qq) || qq_list_contains(list, qq);
}

GbkText SettingsFile::read_admin_list(const GbkText& group) const {
  return read_group_setting(group, kAdminListKey);
}

bool SettingsFile::admin_list_add(const GbkText& group, const GbkText& qq) const {
  const GbkText list = read_admin_list(group);
  if (has_line_break(qq) || !qq_list_has_room(list, qq)) return false;
  write_group_setting(group, kAdminListKey, qq_list_append(list, qq));
  return true;
}

bool SettingsFile::admin_list_remove(const GbkText& group, const GbkText& qq) const {
  return write_group_setting(group, kAdminListKey, qq_list_remove(read_admin_list(group), qq));
}

GbkText SettingsFile::read_group_setting(const GbkText& group, const GbkText& key) const {
  return read_profile_value(env_, path_, group, key);
}

bool SettingsFile::write_group_setting(const GbkText& group, const GbkText& key,
                                       const GbkText& value) const {
  return write_profile_value(env_, path_, group, key, value);
}

std::vector<GbkText> SettingsFile::list_groups() const {
  std::vector<GbkText> groups;
  for (GbkText& name : list_profile_sections(env_, path_)) {
    if (name != kSuperAdminSection) groups.push_back(std::move(name));
  }
  return groups;
}

void SettingsFile::delete_group(const GbkText& group) const {
  delete_profile_section(env_, path_, group);
}

}  // namespace tarvolo
