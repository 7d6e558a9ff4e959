// Watches the one allocation the math engine makes (the median's working
// copy, a nothrow array new) and can make it fail.
#pragma once

namespace qor::test {

struct array_allocations {
    int count = 0;
    bool fail = false;
};

// The probe's live state; tests reset it before the call they watch.
array_allocations& nothrow_array_allocations();

} // namespace qor::test
