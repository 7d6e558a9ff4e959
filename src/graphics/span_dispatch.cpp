// Picks the row kernels once, from the instruction sets the processor has.
#include "graphics/span_kernels.h"

namespace qor::gfx {

const span_kernels& active_span_kernels() {
    static const span_kernels* const chosen = [] {
        if (const span_kernels* avx2 = avx2_span_kernels()) return avx2;
        if (const span_kernels* sse2 = sse2_span_kernels()) return sse2;
        return &scalar_span_kernels();
    }();
    return *chosen;
}

} // namespace qor::gfx
