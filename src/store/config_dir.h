// Where the plug-in's files live: the "config" directory next to the host's
// executable. Every store is given one of these and forms its path from it.
#ifndef TARVOLO_STORE_CONFIG_DIR_H_
#define TARVOLO_STORE_CONFIG_DIR_H_

#include "platform/env.h"
#include "text/gbk_text.h"

namespace tarvolo {

struct ConfigDir {
  Env* env;
  // Directory of the host's executable, without a final separator.
  GbkText run_directory;

  // run directory + "\config\" + name (with the platform's separator).
  GbkText file(const GbkText& name) const {
    return run_directory + kPathSeparator + "config" + kPathSeparator + name;
  }
};

}  // namespace tarvolo

#endif  // TARVOLO_STORE_CONFIG_DIR_H_
