// config/Tarvolo.ini: the super administrator and, per managed group, the
// switch, the sanction settings and the administrator list.
//
//   [超级管理员]      QQ=<super administrator>
//   [<group>]        开关, 操作方式, 触发次数, 自动加黑名单, 得票上限, 管理员
#ifndef TARVOLO_STORE_SETTINGS_FILE_H_
#define TARVOLO_STORE_SETTINGS_FILE_H_

#include <vector>

#include "store/config_dir.h"
#include "text/gbk_text.h"

namespace tarvolo {

// Keys of a group section.
extern const char kSwitchKey[];          // "开关"
extern const char kActionModeKey[];      // "操作方式"
extern const char kTriggerCountKey[];    // "触发次数"
extern const char kAutoBlacklistKey[];   // "自动加黑名单"
extern const char kVoteLimitKey[];       // "得票上限"
extern const char kAdminListKey[];       // "管理员"

class SettingsFile {
 public:
  explicit SettingsFile(const ConfigDir& config);

  GbkText read_super_admin() const;
  void write_super_admin(const GbkText& qq) const;
  // True when qq is not empty and equals the stored super administrator.
  bool is_super_admin(const GbkText& qq) const;
  // True for the super administrator and for every entry of the group's list.
  bool is_group_admin(const GbkText& qq, const GbkText& group) const;

  GbkText read_admin_list(const GbkText& group) const;
  // False, and nothing written, when the entry cannot be stored: it holds a
  // line break, or the list would outgrow what a read returns whole. A
  // write the platform refuses is not reported.
  bool admin_list_add(const GbkText& group, const GbkText& qq) const;
  // Rewrites the list without every entry equal to qq (also when there is
  // none, which creates the section). False when nothing could be written.
  bool admin_list_remove(const GbkText& group, const GbkText& qq) const;

  GbkText read_group_setting(const GbkText& group, const GbkText& key) const;
  bool write_group_setting(const GbkText& group, const GbkText& key, const GbkText& value) const;

  // The sections other than the super administrator's, in file order.
  std::vector<GbkText> list_groups() const;
  void delete_group(const GbkText& group) const;

  const GbkText& path() const { return path_; }

 private:
  Env& env_;
  GbkText path_;
};

}  // namespace tarvolo

#endif  // TARVOLO_STORE_SETTINGS_FILE_H_
