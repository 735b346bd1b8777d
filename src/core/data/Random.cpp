#include "core/data/Random.h"

#include <chrono>

namespace vokamo {

Random::Random() : clock_(&Random::MillisecondsSinceMidnight) {}

Random::Random(Clock clock) : clock_(std::move(clock)) {}

void Random::SetClock(Clock clock) {
    clock_ = std::move(clock);
}

void Random::Reseed() {
    seed_ = clock_();
}

void Random::Seed(uint32_t seed) {
    seed_ = seed;
}

uint32_t Random::Below(uint32_t n) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(seed_) * n) >> 32);
}

uint32_t Random::MillisecondsSinceMidnight() {
    using namespace std::chrono;
    const auto now = system_clock::now().time_since_epoch();
    const auto ms = duration_cast<milliseconds>(now).count();
    return static_cast<uint32_t>(ms % (24LL * 60 * 60 * 1000));
}

}  // namespace vokamo
