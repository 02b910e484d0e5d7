#pragma once

namespace seedscape {

// A field that its writer rounds once to single precision when it stores it.
// It reads back as a double, so arithmetic with it stays in double precision
// (an int times a float would otherwise be computed in float).
class Single {
  public:
    constexpr Single(double value = 0.0) : value_(static_cast<float>(value)) {}
    constexpr operator double() const { return value_; }

  private:
    float value_;
};

}  // namespace seedscape
