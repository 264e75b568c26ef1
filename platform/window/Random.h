#pragma once

#include <cstdint>

namespace window {

// A whole number from low to high, both included, every one equally
// likely; the bounds may come in either order. Each thread draws from its
// own generator, seeded unpredictably.
std::int32_t RandomInRange(std::int32_t low, std::int32_t high);
// Makes the calling thread's draws repeatable (for tests).
void SeedRandom(std::uint32_t seed);

} // namespace window
