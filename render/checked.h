#pragma once

#include <cmath>

#include "maths/maths.h"

namespace seedscape {

// A double that remembers whether any step of its computation failed.
//
// Every failing operation (division by zero, a logarithm of zero or less, the
// square root of a negative, a negative base with a non-integral exponent,
// zero to a negative power, an overflow) gives an infinite or NaN result in
// IEEE arithmetic, so "every intermediate is finite" is the whole rule. It has
// to be checked at every step: x / 0 inside a larger formula can come back to
// a finite number (1 / inf = 0), yet the statement has still failed.
class Checked {
  public:
    Checked(double value) : value_(value), ok_(std::isfinite(value)) {}

    constexpr double value() const { return value_; }
    constexpr bool ok() const { return ok_; }

    friend Checked operator+(Checked a, Checked b) {
        return Checked(a.value_ + b.value_, a.ok_ && b.ok_);
    }
    friend Checked operator-(Checked a, Checked b) {
        return Checked(a.value_ - b.value_, a.ok_ && b.ok_);
    }
    friend Checked operator*(Checked a, Checked b) {
        return Checked(a.value_ * b.value_, a.ok_ && b.ok_);
    }
    friend Checked operator/(Checked a, Checked b) {
        return Checked(a.value_ / b.value_, a.ok_ && b.ok_);
    }

    friend Checked Abs(Checked a) { return Checked(std::fabs(a.value_), a.ok_); }
    friend Checked Sin(Checked a) { return Checked(maths::Sin(a.value_), a.ok_); }
    friend Checked Cos(Checked a) { return Checked(maths::Cos(a.value_), a.ok_); }
    friend Checked Tan(Checked a) { return Checked(maths::Tan(a.value_), a.ok_); }
    friend Checked Exp(Checked a) { return Checked(maths::Exp(a.value_), a.ok_); }
    friend Checked Ln(Checked a) { return Checked(maths::Ln(a.value_), a.ok_); }
    friend Checked Sqrt(Checked a) { return Checked(maths::Sqrt(a.value_), a.ok_); }
    friend Checked Pow(Checked base, Checked exponent) {
        return Checked(maths::Pow(base.value_, exponent.value_), base.ok_ && exponent.ok_);
    }
    // Both operands rounded to integers (ties to even), remainder with the
    // sign of the left one.
    friend Checked Mod(Checked a, Checked b) {
        return Checked(std::fmod(maths::RoundHalfEven(a.value_), maths::RoundHalfEven(b.value_)),
                       a.ok_ && b.ok_);
    }

  private:
    Checked(double value, bool inputs_ok) : value_(value), ok_(inputs_ok && std::isfinite(value)) {}

    double value_;
    bool ok_;
};

// Assigns `value` to `target` only if its whole computation succeeded.
inline bool Assign(double& target, Checked value) {
    if (!value.ok()) return false;
    target = value.value();
    return true;
}

}  // namespace seedscape
