// The plug-in information text that the host reads through the entry "info".
#ifndef TARVOLO_PLUGIN_INFO_TEXT_H_
#define TARVOLO_PLUGIN_INFO_TEXT_H_

#include "text/gbk_text.h"

namespace tarvolo {

// Ten lines, each ended by CR LF: author, version, developer, title, the
// switch caption, the group-message entry's name and the one message kind
// it processes.
GbkText build_info_text();

}  // namespace tarvolo

#endif  // TARVOLO_PLUGIN_INFO_TEXT_H_
