#include "core/exact_moment.h"

#include <cmath>
#include <utility>

namespace novarel {

double HermiteSpan::Value(double t) const {
    const double t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * v0 + (t3 - 2 * t2 + t) * r0 + (-2 * t3 + 3 * t2) * v1 +
           (t3 - t2) * r1;
}

double HermiteSpan::Slope(double t) const {
    const double t2 = t * t;
    return (6 * t2 - 6 * t) * v0 + (3 * t2 - 4 * t + 1) * r0 + (-6 * t2 + 6 * t) * v1 +
           (3 * t2 - 2 * t) * r1;
}

MonotonicPieces SplitAtTurns(const HermiteSpan& s) {
    // Slope(t) = a t^2 + b t + c.
    const double a = 6 * s.v0 + 3 * s.r0 - 6 * s.v1 + 3 * s.r1;
    const double b = -6 * s.v0 - 4 * s.r0 + 6 * s.v1 - 2 * s.r1;
    const double c = s.r0;
    MonotonicPieces p;
    p.at[0] = 0;
    p.count = 1;
    double roots[2];
    int found = 0;
    const double scale = std::fabs(a) + std::fabs(b) + std::fabs(c);
    if (std::fabs(a) <= 1e-12 * scale) {
        if (b != 0) roots[found++] = -c / b;
    } else {
        const double disc = b * b - 4 * a * c;
        if (disc > 0) {
            // The stable pair of quadratic roots.
            const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
            roots[found++] = q / a;
            if (q != 0) roots[found++] = c / q;
        }
    }
    if (found == 2 && roots[0] > roots[1]) std::swap(roots[0], roots[1]);
    for (int i = 0; i < found; ++i)
        if (roots[i] > 0 && roots[i] < 1) p.at[static_cast<std::size_t>(p.count++)] = roots[i];
    p.at[static_cast<std::size_t>(p.count++)] = 1;
    return p;
}

bool Crosses(double a, double b, double target) {
    return (a < target && b >= target) || (a >= target && b < target);
}

double CurveCrossing(const HermiteSpan& span, double a, double b, double target) {
    const bool rising = span.Value(b) > span.Value(a);
    double lo = a, hi = b;
    // Newton on the cubic, kept inside the bracket by bisection; 1e-9 of an
    // hour is far below a second.
    double t = (a + b) / 2;
    for (int n = 0; n < 50 && hi - lo > 1e-9; ++n) {
        const double f = span.Value(t) - target;
        if ((f < 0) == rising)
            lo = t;
        else
            hi = t;
        const double slope = span.Slope(t);
        double next = slope != 0 ? t - f / slope : (lo + hi) / 2;
        if (!(next > lo && next < hi)) next = (lo + hi) / 2;
        if (std::fabs(next - t) < 1e-10) return next;
        t = next;
    }
    return t;
}

}  // namespace novarel
