// Creation of a directory together with its missing parents.
#ifndef TARVOLO_PLUGIN_DIRECTORY_CHAIN_H_
#define TARVOLO_PLUGIN_DIRECTORY_CHAIN_H_

#include "platform/env.h"
#include "text/gbk_text.h"

namespace tarvolo {

// Creates every missing directory of `path`, components separated by the
// platform's separator. On failure removes what this call created (never a
// directory that existed before) and returns false. A path of blanks only
// fails; a final separator is ignored.
bool ensure_directory_chain(Env& env, const GbkText& path);

}  // namespace tarvolo

#endif  // TARVOLO_PLUGIN_DIRECTORY_CHAIN_H_
