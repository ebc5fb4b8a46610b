// A fixed sequence of pseudo-random numbers (a 64-bit linear congruential
// generator): generated test data and benchmark workloads are the same on
// every run, so a failure or a figure can be reproduced.
#ifndef TARVOLO_TESTS_SUPPORT_FIXED_SEQUENCE_H_
#define TARVOLO_TESTS_SUPPORT_FIXED_SEQUENCE_H_

#include <cstddef>
#include <cstdint>

namespace tarvolo {
namespace fixtures {

class FixedSequence {
 public:
  explicit FixedSequence(std::uint64_t seed) : state_(seed) {}

  // The next number below `bound`.
  std::size_t next(std::size_t bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::size_t>((state_ >> 33) % bound);
  }

 private:
  std::uint64_t state_;
};

}  // namespace fixtures
}  // namespace tarvolo

#endif  // TARVOLO_TESTS_SUPPORT_FIXED_SEQUENCE_H_
