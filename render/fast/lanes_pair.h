#pragma once

namespace seedscape {

// Two registers of `Inner` used as one twice as wide. Every operation runs on
// both halves one after the other; as the halves do not depend on each other,
// the processor overlaps them, which hides the latency of a sine whose
// argument depends on the previous step.
template <typename Inner>
struct PairOps {
    struct Register {
        typename Inner::Register low, high;
    };
    struct Mask {
        typename Inner::Mask low, high;
    };
    static constexpr int kWidth = 2 * Inner::kWidth;

    template <typename F>
    static Register Each(F f, Register a) {
        return {f(a.low), f(a.high)};
    }
    template <typename F>
    static Register Each(F f, Register a, Register b) {
        return {f(a.low, b.low), f(a.high, b.high)};
    }

    static Register Broadcast(double a) { return {Inner::Broadcast(a), Inner::Broadcast(a)}; }
    static Register Load(const double* p) {
        return {Inner::Load(p), Inner::Load(p + Inner::kWidth)};
    }
    static Register LoadUnaligned(const double* p) {
        return {Inner::LoadUnaligned(p), Inner::LoadUnaligned(p + Inner::kWidth)};
    }
    static void Store(double* p, Register a) {
        Inner::Store(p, a.low);
        Inner::Store(p + Inner::kWidth, a.high);
    }
    static void StoreUnaligned(double* p, Register a) {
        Inner::StoreUnaligned(p, a.low);
        Inner::StoreUnaligned(p + Inner::kWidth, a.high);
    }
    static Register Add(Register a, Register b) { return Each(Inner::Add, a, b); }
    static Register Sub(Register a, Register b) { return Each(Inner::Sub, a, b); }
    static Register Mul(Register a, Register b) { return Each(Inner::Mul, a, b); }
    static Register Div(Register a, Register b) { return Each(Inner::Div, a, b); }
    static Register Sqrt(Register a) { return Each(Inner::Sqrt, a); }
    static Register Abs(Register a) { return Each(Inner::Abs, a); }
    static Register Select(Mask mask, Register a, Register b) {
        return {Inner::Select(mask.low, a.low, b.low), Inner::Select(mask.high, a.high, b.high)};
    }
    static Register AddWhere(Mask mask, Register a, Register b) {
        return {Inner::AddWhere(mask.low, a.low, b.low),
                Inner::AddWhere(mask.high, a.high, b.high)};
    }

    static Mask And(Mask a, Mask b) {
        return {Inner::And(a.low, b.low), Inner::And(a.high, b.high)};
    }
    static Mask AndNot(Mask a, Mask b) {
        return {Inner::AndNot(a.low, b.low), Inner::AndNot(a.high, b.high)};
    }
    static Mask Or(Mask a, Mask b) { return {Inner::Or(a.low, b.low), Inner::Or(a.high, b.high)}; }
    static Mask AllOnes() { return {Inner::AllOnes(), Inner::AllOnes()}; }
    static Mask NoLanes() { return {Inner::NoLanes(), Inner::NoLanes()}; }
    static Mask Less(Register a, Register b) {
        return {Inner::Less(a.low, b.low), Inner::Less(a.high, b.high)};
    }
    static Mask Greater(Register a, Register b) {
        return {Inner::Greater(a.low, b.low), Inner::Greater(a.high, b.high)};
    }
    static Mask IsFinite(Register a) { return {Inner::IsFinite(a.low), Inner::IsFinite(a.high)}; }
    static bool Any(Mask mask) { return Inner::Any(Inner::Or(mask.low, mask.high)); }
    static int Bits(Mask mask) {
        return Inner::Bits(mask.low) | (Inner::Bits(mask.high) << Inner::kWidth);
    }

    static Register Sin(Register a) { return Each(Inner::Sin, a); }
    static Register Cos(Register a) { return Each(Inner::Cos, a); }
    static Register Tan(Register a) { return Each(Inner::Tan, a); }
    static Register Exp(Register a) { return Each(Inner::Exp, a); }
    static Register Ln(Register a) { return Each(Inner::Ln, a); }
    static Register Pow(Register a, Register b) { return Each(Inner::Pow, a, b); }
};

}  // namespace seedscape
