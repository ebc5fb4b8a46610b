// The host simulator talks UTF-8 with its terminal and code page 936 with
// the plug-in; these convert between the two.
#ifndef TARVOLO_TOOLS_HOST_SIM_CONSOLE_TEXT_H_
#define TARVOLO_TOOLS_HOST_SIM_CONSOLE_TEXT_H_

#include <string>

namespace host_sim {

// Characters that code page 936 lacks become '?'.
std::string utf8_to_gbk(const std::string& text);
// Bytes that are not code page 936 become U+FFFD.
std::string gbk_to_utf8(const std::string& text);

}  // namespace host_sim

#endif  // TARVOLO_TOOLS_HOST_SIM_CONSOLE_TEXT_H_
