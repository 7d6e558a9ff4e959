#include "allocation_probe.h"

#include <new>

namespace qor::test {

array_allocations& nothrow_array_allocations() {
    static array_allocations state;
    return state;
}

} // namespace qor::test

// Replaces the library's nothrow array new for this test program only. The
// memory still comes from the ordinary array new, so delete[] pairs with it.
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    auto& probe = qor::test::nothrow_array_allocations();
    ++probe.count;
    if (probe.fail) return nullptr;
    return ::operator new[](size);
}
