// How a chat command is found in a normalised message: anywhere in it, at a
// character boundary, compared byte for byte. What is left once every
// occurrence of the command is removed is the command's argument.
#ifndef TARVOLO_MODERATION_COMMAND_TEXT_H_
#define TARVOLO_MODERATION_COMMAND_TEXT_H_

#include "text/gbk_text.h"

namespace tarvolo {

inline bool command_present(const GbkText& message, const GbkText& command) {
  return contains_text(message, command);
}

inline GbkText command_argument(const GbkText& message, const GbkText& command) {
  return remove_all(message, command);
}

}  // namespace tarvolo

#endif  // TARVOLO_MODERATION_COMMAND_TEXT_H_
