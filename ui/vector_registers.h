#pragma once
// The state of the processor's wide vector registers between the toolkit's
// drawing and the ephemeris library's arithmetic.

namespace novarel::ui {

// Clears the upper halves of the 256-bit vector registers where the
// processor has them. The toolkit's AVX fill routines return without doing
// so, and the ephemeris library's SSE code, run after them, then goes at
// about half its speed until something does. Call it after painting or
// event processing that a calculation continues from.
void ZeroUpperVectorHalves();

}  // namespace novarel::ui
