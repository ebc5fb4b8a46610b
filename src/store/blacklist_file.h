// config/黑名单.ini: per group (section = group number) the key "黑名单",
// a QQ-number list of the members barred from the group.
#ifndef TARVOLO_STORE_BLACKLIST_FILE_H_
#define TARVOLO_STORE_BLACKLIST_FILE_H_

#include "store/config_dir.h"
#include "text/gbk_text.h"

namespace tarvolo {

class BlacklistFile {
 public:
  explicit BlacklistFile(const ConfigDir& config);

  // The stored value verbatim (final comma included), or the empty text.
  GbkText read_blacklist(const GbkText& group) const;
  bool blacklist_contains(const GbkText& group, const GbkText& qq) const;
  // Appends qq + ","; false, and nothing written, when qq holds a line break
  // or the list would outgrow what a read returns whole. A write the
  // platform refuses is not reported.
  bool blacklist_add(const GbkText& group, const GbkText& qq) const;
  // Rewrites the list without every entry equal to qq, in every case (also
  // when there is none, which creates the section). False when the write
  // was refused.
  bool blacklist_remove(const GbkText& group, const GbkText& qq) const;
  // Deletes the group's whole section.
  void blacklist_clear(const GbkText& group) const;

 private:
  Env& env_;
  GbkText path_;
};

}  // namespace tarvolo

#endif  // TARVOLO_STORE_BLACKLIST_FILE_H_
