// The pattern object on Windows: the platform's COM component
// "VBScript.RegExp", driven through IDispatch.
#include "pattern/pattern_object.h"

#include <objbase.h>

#include <atomic>
#include <string>

#include "pattern/com_dispatch.h"
#include "pattern/vbscript_regexp_cache.h"
#include "platform/env.h"

namespace tarvolo {
namespace {

std::atomic<bool> cache_switch{true};

struct RunOptions {
  bool ignore_case;
  bool multiline;
  bool global;
};

// The cache key: the options, then the pattern text exactly as the engine
// receives it.
std::string cache_key(const RunOptions& options, const GbkText& pattern) {
  std::string key;
  key.reserve(pattern.size() + 3);
  key += options.ignore_case ? 'i' : '-';
  key += options.multiline ? 'm' : '-';
  key += options.global ? 'g' : '-';
  key += pattern;
  return key;
}

// A new engine instance with the options and the pattern set. The
// properties go in this order: IgnoreCase, Multiline, Singleline, Global.
// The component has no Singleline property, so that setting fails and the
// dot keeps not matching a line feed; each setting's outcome is ignored, as
// a refused setting leaves the engine usable with its default.
ConfiguredRegExp create_configured_regexp(const RunOptions& options,
                                          const std::u16string& pattern) {
  ConfiguredRegExp regexp;
  CLSID engine_class;
  if (FAILED(CLSIDFromProgID(L"VBScript.RegExp", &engine_class))) return regexp;
  IDispatch* created = nullptr;
  if (FAILED(CoCreateInstance(engine_class, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&created))) ||
      created == nullptr) {
    return regexp;
  }
  regexp.object = ComRef<IDispatch>::adopt(created);

  put_bool_property(created, L"IgnoreCase", options.ignore_case);
  put_bool_property(created, L"Multiline", options.multiline);
  put_bool_property(created, L"Singleline", true);
  put_bool_property(created, L"Global", options.global);
  put_text_property(created, L"Pattern", pattern);
  find_member(created, L"Execute", &regexp.execute);
  return regexp;
}

class VbscriptPatternObject : public PatternObject {
 public:
  VbscriptPatternObject() {
    // RPC_E_CHANGED_MODE (a multithreaded thread) leaves COM usable but is
    // no reference of ours to give back.
    owns_com_use_ = SUCCEEDED(CoInitialize(nullptr));
  }

  ~VbscriptPatternObject() override {
    release_run();
    subject_.clear();
    if (owns_com_use_) CoUninitialize();
  }

  VbscriptPatternObject(const VbscriptPatternObject&) = delete;
  VbscriptPatternObject& operator=(const VbscriptPatternObject&) = delete;

  bool execute_pattern(const GbkText& pattern, const GbkText& subject, bool case_sensitive,
                       bool multiline, bool global, bool quote_escapes) override {
    const RunOptions options{!case_sensitive, multiline, global};
    release_run();

    const GbkText engine_pattern = quote_escapes ? replace_all(pattern, "#引号", "\"") : pattern;
    Env& env = Env::Default();
    if (pattern_cache_enabled()) {
      const std::string key = cache_key(options, engine_pattern);
      engine_ = find_cached_regexp(key);
      if (!engine_.object) {
        engine_ = create_configured_regexp(options, env.gbk_to_utf16(engine_pattern));
        cache_regexp(key, engine_);
      }
    } else {
      // Instances kept while the cache was on are dropped on the thread
      // that made them, the first time it runs with the cache off.
      clear_regexp_cache();
      engine_ = create_configured_regexp(options, env.gbk_to_utf16(engine_pattern));
    }

    // An invalid pattern makes Execute raise its syntax error here.
    matches_ = call_returning_object(engine_.object.get(), engine_.execute,
                                     env.gbk_to_utf16(subject));
    subject_ = subject;
    return static_cast<bool>(matches_);
  }

  int match_count() const override {
    long count = 0;
    if (!matches_ || !get_int_property(matches_.get(), L"Count", &count)) return 0;
    return static_cast<int>(count);
  }

 private:
  void release_run() {
    matches_.reset();
    engine_ = ConfiguredRegExp();
  }

  bool owns_com_use_ = false;
  ConfiguredRegExp engine_;
  ComRef<IDispatch> matches_;
  GbkText subject_;
};

}  // namespace

void PatternObjectDeleter::operator()(PatternObject* object) const {
  destroy_pattern_object(object);
}

PatternObjectPtr create_pattern_object() {
  return PatternObjectPtr(new VbscriptPatternObject);
}

void destroy_pattern_object(PatternObject* object) { delete object; }

void set_pattern_cache_enabled(bool enabled) {
  cache_switch.store(enabled);
  if (!enabled) clear_regexp_cache();
}

bool pattern_cache_enabled() { return cache_switch.load(); }

}  // namespace tarvolo
