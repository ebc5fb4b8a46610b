// One slot per text-returning entry point: it keeps the text the entry
// returned last, so the pointer handed to the host stays valid until the
// next call of the same entry or until the module is torn down.
#ifndef TARVOLO_PLUGIN_RETAINED_TEXT_H_
#define TARVOLO_PLUGIN_RETAINED_TEXT_H_

#include <optional>
#include <utility>

#include "text/gbk_text.h"

namespace tarvolo {

class RetainedText {
 public:
  // Releases the text held so far, keeps `text` and points into it.
  const char* keep(GbkText text) {
    text_ = std::move(text);
    return text_->c_str();
  }

  // Releases the held text; true when there was one.
  bool release() {
    const bool held = text_.has_value();
    text_.reset();
    return held;
  }

  bool holds_text() const { return text_.has_value(); }

 private:
  std::optional<GbkText> text_;
};

}  // namespace tarvolo

#endif  // TARVOLO_PLUGIN_RETAINED_TEXT_H_
