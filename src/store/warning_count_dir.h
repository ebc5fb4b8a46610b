// config/警告次数/: one warning-count file per group ("<group>.ini"), put
// there from outside the plug-in. The plug-in only deletes a group's file.
#ifndef TARVOLO_STORE_WARNING_COUNT_DIR_H_
#define TARVOLO_STORE_WARNING_COUNT_DIR_H_

#include "store/config_dir.h"
#include "text/gbk_text.h"

namespace tarvolo {

class WarningCountDir {
 public:
  explicit WarningCountDir(const ConfigDir& config);

  // Deletes <group>.ini directly inside the directory. A group text that
  // would name a file elsewhere (a path separator, a drive colon, "." or
  // "..") deletes nothing.
  void delete_warning_counts(const GbkText& group) const;

 private:
  Env& env_;
  GbkText directory_;
};

}  // namespace tarvolo

#endif  // TARVOLO_STORE_WARNING_COUNT_DIR_H_
