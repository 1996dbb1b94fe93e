#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "base/heap.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace pelora {
namespace {

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kMegabyte = 1024 * 1024;

// What the heap keeps free at its top after a sheet's worth of buffers, 40 of 64 KB, is freed.
std::size_t keptAfterASheet() {
    std::vector<void*> buffers;
    for (int k = 0; k < 40; ++k)
        buffers.push_back(std::malloc(64 * 1024));
    for (auto last = buffers.rbegin(); last != buffers.rend(); ++last)
        std::free(*last);
    return mallinfo2().keepcost;
}

TEST(LargeHeapSteps, FreedMemoryStaysWhileAPrintRunLastsAndGoesBackAfterIt) {
    std::size_t during = 0;
    std::size_t afterInner = 0;
    {
        const LargeHeapSteps run;
        during = keptAfterASheet();
        { const LargeHeapSteps inner; }  // a run within the run leaves the steps as they are
        afterInner = keptAfterASheet();
    }
    EXPECT_GT(during, 2 * kMegabyte);
    EXPECT_GT(afterInner, 2 * kMegabyte);
    EXPECT_LT(mallinfo2().keepcost, kMegabyte);
}
#endif

}  // namespace
}  // namespace pelora
