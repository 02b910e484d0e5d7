#include "state/random_generator.h"

#include <bit>

namespace seedscape {

namespace {

constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kIncrement = 1442695040888963407ULL;
constexpr std::uint64_t kResetState = 0x853c49e6748fea9bULL;

// SplitMix64's finaliser: spreads every bit of the seed over the whole state.
std::uint64_t Mix(std::uint64_t value) {
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
    value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
    return value ^ (value >> 31);
}

}  // namespace

void RandomGenerator::Reset() {
    state_ = kResetState;
}

void RandomGenerator::Seed(double number) {
    // +0 and -0 are the same number and must give the same sequence.
    const double canonical = number == 0.0 ? 0.0 : number;
    state_ ^= Mix(std::bit_cast<std::uint64_t>(canonical));
    Next();
}

std::uint32_t RandomGenerator::Next() {
    const std::uint64_t old = state_;
    state_ = old * kMultiplier + kIncrement;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto rotation = static_cast<std::uint32_t>(old >> 59U);
    return std::rotr(xorshifted, static_cast<int>(rotation));
}

float RandomGenerator::Draw() {
    // The top 24 bits are exactly representable in a float: r = k / 2^24, k < 2^24.
    return static_cast<float>(Next() >> 8U) * 0x1.0p-24f;
}

}  // namespace seedscape
