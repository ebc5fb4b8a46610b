#include "plugin/info_text.h"

namespace tarvolo {

GbkText build_info_text() {
  static const char* const kLines[] = {
      "Tarvolo者", "2.0版", "Dunmere", "Q群管理", "", "开启关闭", "", "分群管理", "2", "假",
  };
  GbkText text;
  for (const char* line : kLines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace tarvolo
