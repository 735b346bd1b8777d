#pragma once

#include <cstdint>
#include <functional>

namespace vokamo {

// The program's random source: a 32-bit linear congruential generator that is
// reseeded from the time of day at every shuffle. Tests give it a fixed clock.
class Random {
public:
    using Clock = std::function<uint32_t()>;

    Random();  // real clock: milliseconds since midnight UTC
    explicit Random(Clock clock);

    void SetClock(Clock clock);
    void Reseed();  // seed := clock()
    void Seed(uint32_t seed);
    uint32_t Below(uint32_t n);  // 0 .. n-1
    uint32_t SeedValue() const { return seed_; }

    static uint32_t MillisecondsSinceMidnight();

private:
    Clock clock_;
    uint32_t seed_ = 0;
};

}  // namespace vokamo
