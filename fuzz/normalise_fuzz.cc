// Any message normalises without a crash, and never grows.
#include <cstdint>
#include <cstdlib>

#include "moderation/normalise.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const tarvolo::GbkText message(reinterpret_cast<const char*>(data), size);
  const tarvolo::GbkText normalised = tarvolo::normalise_message(message);
  if (normalised.size() > message.size()) std::abort();
  return 0;
}
