#pragma once

#include <cmath>

#include "maths/maths.h"

namespace seedscape {

// Several doubles side by side in one SIMD register, each lane remembering
// whether any step of its computation failed (went infinite or NaN), exactly
// as Checked does for one double. `Ops` supplies the instruction set: the
// register type, its arithmetic and SLEEF's deterministic vector functions,
// which give the same bits as the scalar ones.
template <typename Ops>
class CheckedLanes {
  public:
    using Register = typename Ops::Register;
    using Mask = typename Ops::Mask;
    static constexpr int kWidth = Ops::kWidth;

    CheckedLanes(double value) : CheckedLanes(Ops::Broadcast(value)) {}
    explicit CheckedLanes(Register value) : value_(value), ok_(Ops::IsFinite(value)) {}
    CheckedLanes(Register value, Mask inputs_ok)
        : value_(value), ok_(Ops::And(inputs_ok, Ops::IsFinite(value))) {}

    Register value() const { return value_; }
    // Set in the lanes whose computation succeeded.
    Mask ok() const { return ok_; }

    friend CheckedLanes operator+(CheckedLanes a, CheckedLanes b) {
        return {Ops::Add(a.value_, b.value_), Ops::And(a.ok_, b.ok_)};
    }
    friend CheckedLanes operator-(CheckedLanes a, CheckedLanes b) {
        return {Ops::Sub(a.value_, b.value_), Ops::And(a.ok_, b.ok_)};
    }
    friend CheckedLanes operator*(CheckedLanes a, CheckedLanes b) {
        return {Ops::Mul(a.value_, b.value_), Ops::And(a.ok_, b.ok_)};
    }
    friend CheckedLanes operator/(CheckedLanes a, CheckedLanes b) {
        return {Ops::Div(a.value_, b.value_), Ops::And(a.ok_, b.ok_)};
    }

    friend CheckedLanes Abs(CheckedLanes a) { return {Ops::Abs(a.value_), a.ok_}; }
    friend CheckedLanes Sqrt(CheckedLanes a) { return {Ops::Sqrt(a.value_), a.ok_}; }
    friend CheckedLanes Sin(CheckedLanes a) { return {Ops::Sin(a.value_), a.ok_}; }
    friend CheckedLanes Cos(CheckedLanes a) { return {Ops::Cos(a.value_), a.ok_}; }
    friend CheckedLanes Tan(CheckedLanes a) { return {Ops::Tan(a.value_), a.ok_}; }
    friend CheckedLanes Exp(CheckedLanes a) { return {Ops::Exp(a.value_), a.ok_}; }
    friend CheckedLanes Ln(CheckedLanes a) { return {Ops::Ln(a.value_), a.ok_}; }
    friend CheckedLanes Pow(CheckedLanes a, CheckedLanes b) {
        return {Ops::Pow(a.value_, b.value_), Ops::And(a.ok_, b.ok_)};
    }
    // Both operands rounded to integers (ties to even), remainder with the
    // sign of the left one; lane by lane, as it is rare and cheap.
    friend CheckedLanes Mod(CheckedLanes a, CheckedLanes b) {
        alignas(64) double left[kWidth];
        alignas(64) double right[kWidth];
        Ops::Store(left, a.value_);
        Ops::Store(right, b.value_);
        for (int lane = 0; lane < kWidth; ++lane) {
            left[lane] =
                std::fmod(maths::RoundHalfEven(left[lane]), maths::RoundHalfEven(right[lane]));
        }
        return {Ops::Load(left), Ops::And(a.ok_, b.ok_)};
    }

  private:
    Register value_;
    Mask ok_;
};

}  // namespace seedscape

namespace seedscape {

// Lanes without failure tracking, for formulas that cannot fail on the values
// they are given (sines of finite numbers, say). Same interface, less work.
template <typename Ops>
class PlainLanes {
  public:
    using Register = typename Ops::Register;

    PlainLanes(double value) : value_(Ops::Broadcast(value)) {}
    explicit PlainLanes(Register value) : value_(value) {}

    Register value() const { return value_; }

    friend PlainLanes operator+(PlainLanes a, PlainLanes b) {
        return PlainLanes(Ops::Add(a.value_, b.value_));
    }
    friend PlainLanes operator-(PlainLanes a, PlainLanes b) {
        return PlainLanes(Ops::Sub(a.value_, b.value_));
    }
    friend PlainLanes operator*(PlainLanes a, PlainLanes b) {
        return PlainLanes(Ops::Mul(a.value_, b.value_));
    }
    friend PlainLanes operator/(PlainLanes a, PlainLanes b) {
        return PlainLanes(Ops::Div(a.value_, b.value_));
    }
    friend PlainLanes Sin(PlainLanes a) { return PlainLanes(Ops::Sin(a.value_)); }
    friend PlainLanes Cos(PlainLanes a) { return PlainLanes(Ops::Cos(a.value_)); }
    friend PlainLanes Tan(PlainLanes a) { return PlainLanes(Ops::Tan(a.value_)); }
    friend PlainLanes Ln(PlainLanes a) { return PlainLanes(Ops::Ln(a.value_)); }

  private:
    Register value_;
};

}  // namespace seedscape
