#include "platform/window/Random.h"

#include <algorithm>
#include <random>

namespace window {

namespace {

std::mt19937& Generator() {
  thread_local std::mt19937 generator{std::random_device{}()};
  return generator;
}

} // namespace

std::int32_t RandomInRange(std::int32_t low, std::int32_t high) {
  std::uniform_int_distribution<std::int32_t> distribution(std::min(low, high), std::max(low, high));
  return distribution(Generator());
}

void SeedRandom(std::uint32_t seed) { Generator().seed(seed); }

} // namespace window
