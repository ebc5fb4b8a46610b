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

// Whether a command's argument can stand as a QQ number in a stored list: it
// is not empty and holds no line break (normalisation leaves a lone CR or
// LF), which would add lines of its own to an INI file.
inline bool is_qq_argument(const GbkText& argument) {
  return !argument.empty() && !has_line_break(argument);
}

// The answer of a command whose list has reached the size a read returns
// whole: the entry is not added.
inline constexpr char kListFullReply[] = "名单已满，无法添加！";

}  // namespace tarvolo

#endif  // TARVOLO_MODERATION_COMMAND_TEXT_H_
