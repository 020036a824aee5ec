#include "ui/vector_registers.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace novarel::ui {

#if defined(__x86_64__) || defined(__i386__)
namespace {
// Compiled for AVX alone; run only on a processor that has it.
__attribute__((target("avx"))) void ZeroUpper() { _mm256_zeroupper(); }
}  // namespace

void ZeroUpperVectorHalves() {
    if (__builtin_cpu_supports("avx")) ZeroUpper();
}
#else
void ZeroUpperVectorHalves() {}
#endif

}  // namespace novarel::ui
