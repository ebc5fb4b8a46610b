// Placeholder until the regular-expression engines are bound: an object that
// never matches.
#include "pattern/pattern_object.h"

namespace tarvolo {
namespace {

class NoEngine : public PatternObject {
 public:
  bool execute_pattern(const GbkText&, const GbkText&, bool, bool, bool, bool) override {
    return false;
  }
  int match_count() const override { return 0; }
};

bool cache_enabled = true;

}  // namespace

void PatternObjectDeleter::operator()(PatternObject* object) const {
  destroy_pattern_object(object);
}
PatternObjectPtr create_pattern_object() { return PatternObjectPtr(new NoEngine); }
void destroy_pattern_object(PatternObject* object) { delete object; }
void set_pattern_cache_enabled(bool enabled) { cache_enabled = enabled; }
bool pattern_cache_enabled() { return cache_enabled; }

}  // namespace tarvolo
