#pragma once
// Exact moments of events: where a quantity sampled at whole hours meets a
// target. Between two samples the quantity is taken as the cubic through the
// two values and the two rates the library gives (Hermite): that curve says
// where the quantity turns inside the interval and where each crossing lies
// to well under a second. The crossing is then settled on the library's own
// values by a bracketed secant search.
#include <array>
#include <optional>

namespace novarel {

// A quantity over one interval, t from 0 to 1: values at both ends and rates
// (change per interval) at both ends.
struct HermiteSpan {
    double v0 = 0;
    double v1 = 0;
    double r0 = 0;
    double r1 = 0;

    double Value(double t) const;
    double Slope(double t) const;  // per interval
};

// Where the curve turns: 0, the turning points inside the interval in order,
// then 1. The curve is monotonic between two neighbours.
struct MonotonicPieces {
    std::array<double, 4> at{};
    int count = 0;  // entries of at in use, 2..4
};
MonotonicPieces SplitAtTurns(const HermiteSpan& span);

// Whether a quantity going from a to b crosses target: upward when a < target
// <= b, downward when a >= target > b. A value on the target counts as
// beyond it, so a crossing met exactly at a sample belongs to one interval.
bool Crosses(double a, double b, double target);

// The t in [a, b] where the curve equals target, the curve being monotonic
// there and crossing the target.
double CurveCrossing(const HermiteSpan& span, double a, double b, double target);

// One second in days: the precision of every moment.
constexpr double OneSecond = 1.0 / 86400;

// A root of f (a function of the Julian Day) bracketed by lo and hi, where
// fLo is f(lo) or its sign (never 0) and f(hi) has the other sign or is 0.
// The search starts at estimate with the slope given (units per day) and
// ends when the next step or the bracket is below tolerance days. The answer
// is always the last moment f was evaluated at, so values the caller kept
// from that evaluation belong to it.
template <typename F>
double FindRoot(F&& f, double lo, double hi, double fLo, double estimate, double slope,
                double tolerance = OneSecond / 10) {
    const bool lowNegative = fLo < 0;
    double x = estimate < lo || estimate > hi ? (lo + hi) / 2 : estimate;
    double fx = f(x);
    for (int n = 0; n < 60; ++n) {
        if (fx == 0) return x;
        if ((fx < 0) == lowNegative)
            lo = x;
        else
            hi = x;
        const double step = slope != 0 ? -fx / slope : 0;
        if ((slope != 0 && step >= -tolerance && step <= tolerance) || hi - lo <= tolerance)
            return x;
        double next = x + step;
        // A step out of the bracket, or none, bisects it.
        if (slope == 0 || !(next > lo && next < hi)) next = (lo + hi) / 2;
        const double previous = x, fPrevious = fx;
        x = next;
        fx = f(x);
        if (x != previous) slope = (fx - fPrevious) / (x - previous);
    }
    return x;
}

// The same from nothing but the bracket and f's values at both ends: the
// search starts where the straight line between them meets zero.
template <typename F>
double FindBracketedRoot(F&& f, double lo, double hi, double fLo, double fHi,
                         double tolerance = OneSecond / 10) {
    return FindRoot(f, lo, hi, fLo, lo + (hi - lo) * fLo / (fLo - fHi), (fHi - fLo) / (hi - lo),
                    tolerance);
}

// A crossing of target by the curve of one hour, between its neighbouring
// turning points a and b (span and its t from 0 to 1 over the hour that
// begins at hourJD), settled on the library: f gives the library's value
// minus the target at a moment. A turning point inside the hour is only the
// curve's: the library's values there confirm that the crossing is real.
// None when they do not.
template <typename F>
std::optional<double> SettleHourCrossing(F&& f, const HermiteSpan& span, double a, double b,
                                         double hourJD, double target) {
    constexpr double Hour = 1.0 / 24;
    const double lo = hourJD + a * Hour, hi = hourJD + b * Hour;
    double fLo = span.Value(a) - target;
    if (a > 0) {
        const double real = f(lo);
        if (real == 0 || (real < 0) != (fLo < 0)) return std::nullopt;
        fLo = real;
    }
    if (b < 1) {
        const double real = f(hi);
        if (real != 0 && (real < 0) == (fLo < 0)) return std::nullopt;
    }
    const double t = CurveCrossing(span, a, b, target);
    return FindRoot(f, lo, hi, fLo, hourJD + t * Hour, span.Slope(t) * 24);
}

}  // namespace novarel
