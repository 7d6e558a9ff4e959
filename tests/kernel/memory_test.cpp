// Accounted kernel memory: the block list, the totals and realloc's cases.
#include "kernel/memory_list.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <qoros/qor_memory.h>

using qor::kernel::mem_alloc_count;
using qor::kernel::mem_header;
using qor::kernel::mem_list_head;

namespace {

mem_header* header(void* p) {
    return static_cast<mem_header*>(p) - 1;
}

// Every test must give back exactly what it took.
class KernelMemory : public ::testing::Test {
  protected:
    void TearDown() override {
        EXPECT_EQ(qor_kernel_get_used_memory(), used);
        EXPECT_EQ(mem_alloc_count(), count);
    }
    const uint64_t used = qor_kernel_get_used_memory();
    const int32_t count = mem_alloc_count();
};

TEST_F(KernelMemory, NewestBlockHeadsTheListAndTotalsFollow) {
    EXPECT_EQ(qor_kernel_alloc(0), nullptr);
    EXPECT_EQ(qor_kernel_alloc_zero(0), nullptr);
    qor_kernel_free(nullptr);

    void* a = qor_kernel_alloc(100);
    auto* b = static_cast<unsigned char*>(qor_kernel_alloc_zero(50));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(a) % 16, 0u);
    EXPECT_EQ(std::count(b, b + 50, 0), 50) << "alloc_zero clears the user bytes";
    EXPECT_EQ(qor_kernel_get_used_memory(), used + 150);
    EXPECT_EQ(mem_alloc_count(), count + 2);
    EXPECT_EQ(mem_list_head(), header(b));
    EXPECT_EQ(header(b)->next, header(a));
    EXPECT_EQ(header(a)->prev, header(b));
    EXPECT_EQ(header(b)->prev, nullptr);
    qor_kernel_free(b);
    qor_kernel_free(a);
}

TEST_F(KernelMemory, FreeingTheMiddleOrTheHeadRelinksTheRest) {
    void* oldest = qor_kernel_alloc(1);
    void* middle = qor_kernel_alloc(2);
    void* newest = qor_kernel_alloc(3);
    qor_kernel_free(middle);
    EXPECT_EQ(header(newest)->next, header(oldest));
    EXPECT_EQ(header(oldest)->prev, header(newest));
    qor_kernel_free(newest);
    EXPECT_EQ(mem_list_head(), header(oldest));
    EXPECT_EQ(header(oldest)->prev, nullptr);
    qor_kernel_free(oldest);
}

TEST_F(KernelMemory, ReallocGrowsShrinksAllocatesAndFrees) {
    auto* p = static_cast<unsigned char*>(qor_kernel_realloc(nullptr, 64));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(qor_kernel_get_used_memory(), used + 64);
    EXPECT_EQ(qor_kernel_realloc(p, 0), nullptr);
    EXPECT_EQ(qor_kernel_get_used_memory(), used);

    void* older = qor_kernel_alloc(8);
    p = static_cast<unsigned char*>(qor_kernel_alloc(100));
    void* newer = qor_kernel_alloc(8);
    for (int i = 0; i < 100; ++i)
        p[i] = static_cast<unsigned char>(i);
    p = static_cast<unsigned char*>(qor_kernel_realloc(p, 300000)); // large enough to move
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(qor_kernel_get_used_memory(), used + 16 + 300000);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(p[i], i);
    EXPECT_EQ(header(newer)->next, header(p));
    EXPECT_EQ(header(older)->prev, header(p));
    p = static_cast<unsigned char*>(qor_kernel_realloc(p, 10));
    EXPECT_EQ(qor_kernel_get_used_memory(), used + 16 + 10);
    EXPECT_EQ(p[9], 9);
    qor_kernel_free(p);
    qor_kernel_free(newer);
    EXPECT_EQ(mem_list_head(), header(older));
    qor_kernel_free(older);
}

TEST_F(KernelMemory, BlocksWithoutTheMagicAreIgnored) {
    void* p = qor_kernel_alloc(40);
    header(p)->magic = 0x12345678;
    qor_kernel_free(p);
    EXPECT_EQ(qor_kernel_get_used_memory(), used + 40);
    EXPECT_EQ(qor_kernel_realloc(p, 80), nullptr);
    EXPECT_EQ(qor_kernel_get_used_memory(), used + 40);
    header(p)->magic = qor::kernel::kLiveBlockMagic;
    qor_kernel_free(p);
}

TEST_F(KernelMemory, SizesWhoseHeaderWouldWrapAreRefused) {
    for (uint64_t size : {UINT64_MAX, UINT64_MAX - 31, UINT64_MAX - 16})
        EXPECT_EQ(qor_kernel_alloc(size), nullptr) << size;
    void* p = qor_kernel_alloc(8);
    EXPECT_EQ(qor_kernel_realloc(p, UINT64_MAX - 8), nullptr);
    EXPECT_EQ(qor_kernel_get_used_memory(), used + 8) << "the old block is untouched";
    qor_kernel_free(p);
}

} // namespace
