#pragma once

#include <cstdint>

namespace seedscape {

// The program's one random generator: PCG32 (O'Neill's permuted congruential
// generator, XSH-RR output), with the bits turned into draws by our own code so
// that a seed gives the same sequence with every compiler and library.
class RandomGenerator {
  public:
    RandomGenerator() { Reset(); }

    // Puts the generator into the same fixed state every time.
    void Reset();

    // Starts a new sequence that depends on the number and on the state before.
    void Seed(double number);

    // The next value r of the sequence, a single-precision real with 0 <= r < 1.
    float Draw();

  private:
    std::uint32_t Next();

    std::uint64_t state_ = 0;
};

}  // namespace seedscape
