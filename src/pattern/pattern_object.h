// The plug-in's access to regular expressions.
//
// Keywords are regular expressions in the dialect of the Windows scripting
// engine "VBScript.RegExp" (about ECMAScript 3). On Windows the object drives
// that COM component; off Windows it runs PCRE2 on a translation of the
// pattern into PCRE2 syntax, so that both give the same results. Texts cross
// into the engine converted from code page 936 to UTF-16: the engine works on
// characters, so the dot matches one Chinese character.
#ifndef TARVOLO_PATTERN_PATTERN_OBJECT_H_
#define TARVOLO_PATTERN_PATTERN_OBJECT_H_

#include <memory>

#include "text/gbk_text.h"

namespace tarvolo {

class PatternObject {
 public:
  virtual ~PatternObject() = default;

  // Runs `pattern` over `subject` and keeps the matches. Ignore case is the
  // opposite of case_sensitive; multiline lets ^ and $ match at line breaks;
  // global collects every match instead of only the first. With
  // quote_escapes every "#引号" in the pattern stands for a double quote. The
  // dot never matches a line feed. True when the run produced a match
  // collection (false for a pattern the engine rejects).
  virtual bool execute_pattern(const GbkText& pattern, const GbkText& subject,
                               bool case_sensitive = false, bool multiline = true,
                               bool global = true, bool quote_escapes = false) = 0;

  // Number of matches of the last run; 0 before any run and after a failed one.
  virtual int match_count() const = 0;
};

struct PatternObjectDeleter {
  void operator()(PatternObject* object) const;
};
using PatternObjectPtr = std::unique_ptr<PatternObject, PatternObjectDeleter>;

// A new object on the platform's engine. On Windows creation begins the
// thread's COM use, which destroy_pattern_object ends.
PatternObjectPtr create_pattern_object();

// Releases the engine and the matches and frees the object.
void destroy_pattern_object(PatternObject* object);

// Compiling the same pattern text with the same options always gives the
// same program, so engines may keep recently compiled patterns (bounded)
// instead of compiling each keyword again for every message. On by default;
// the benchmark switches it off to measure the uncached cost.
void set_pattern_cache_enabled(bool enabled);
bool pattern_cache_enabled();

}  // namespace tarvolo

#endif  // TARVOLO_PATTERN_PATTERN_OBJECT_H_
