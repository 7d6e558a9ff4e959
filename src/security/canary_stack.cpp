// Canary stack: known values pushed and checked later; a changed value means
// something wrote past its bounds. There is one stack for the whole process,
// last in first out across all threads.
#include "security/security_state.h"

#include <mutex>

namespace qor::security {

uint32_t g_canary_stack[QOR_SECURITY_CANARY_CAPACITY];
uint32_t g_canary_top = 0;

namespace {
std::mutex g_canary_lock; // guards g_canary_stack and g_canary_top
} // namespace

void clear_canaries() {
    std::lock_guard<std::mutex> guard(g_canary_lock);
    for (uint32_t& canary : g_canary_stack)
        canary = 0;
    g_canary_top = 0;
}

namespace {

constexpr uint64_t kLargestPlausibleSize = 0x40000000; // 1 GiB
constexpr uint64_t kLowestValidAddress = 0x10000;      // the first 64 KiB are never mapped

uint32_t canary_for(uint32_t index) {
    return QOR_SECURITY_CANARY_BASE + index;
}

} // namespace

} // namespace qor::security

using namespace qor::security;

extern "C" uint32_t qor_security_canary_push(void) {
    std::lock_guard<std::mutex> guard(g_canary_lock);
    if (g_canary_top < QOR_SECURITY_CANARY_CAPACITY) {
        g_canary_stack[g_canary_top] = canary_for(g_canary_top);
        ++g_canary_top;
    }
    return g_canary_top;
}

extern "C" bool qor_security_canary_pop(void) {
    std::lock_guard<std::mutex> guard(g_canary_lock);
    if (g_canary_top == 0) return false;
    --g_canary_top;
    return g_canary_stack[g_canary_top] == canary_for(g_canary_top);
}

extern "C" bool qor_security_check_overflow(uint64_t address, uint64_t size) {
    if (address == 0 || size == 0) return false;
    if (size > kLargestPlausibleSize || address < kLowestValidAddress) return true;
    std::lock_guard<std::mutex> guard(g_canary_lock);
    if (g_canary_top == 0) return false;
    const uint32_t top = g_canary_top - 1;
    return g_canary_stack[top] != canary_for(top);
}
