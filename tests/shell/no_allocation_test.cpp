// The frame loop allocates nothing: count every allocation across a thousand frames, through
// every allocator (malloc, calloc, realloc and operator new), the presenter's path included.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "game_run.h"
#include "platform/files/data_path.h"
#include "platform/win_types.h"
#include "shell/command_line.h"

// The replacements below pair operator new with free through malloc, which is what they are.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
void Count() {
    if (g_counting.load(std::memory_order_relaxed))
        g_allocations.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

// The C allocators too, for SDL's and the C library's own allocations. Under the sanitizers
// their runtime owns malloc, so only operator new is counted there.
#ifndef __SANITIZE_ADDRESS__
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* malloc(std::size_t size) {
    Count();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    Count();
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
    Count();
    return __libc_realloc(p, size);
}
}
#endif

void* operator new(std::size_t size) {
#ifdef __SANITIZE_ADDRESS__
    Count();  // malloc counts it otherwise
#endif
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
// The nothrow forms too (std::stable_sort's buffer takes one): each new is freed by the delete
// above, so none may come from the library's own new.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return operator new(size, std::nothrow);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

// A thousand frames with keys between them; the count of allocations while they ran.
long AllocationsOverAThousandFrames(int firstKey, int secondKey) {
    game_run::UseHeadlessPlatform(16);
    test_seams::PresentHeadless(true);
    std::uint64_t checked = 0;
    for (std::uint64_t f = 200; f < 1000; f += 50) {
        const int key = f % 100 ? firstKey : secondKey;
        test_seams::ScheduleInput({f, test_seams::InputKind::KeyDown, key, 0});
        test_seams::ScheduleInput({f + 30, test_seams::InputKind::KeyUp, key, 0});
    }
    game_run::QuitAt(1100);
    long during = -1;
    const game_run::Result r =
        game_run::Run(game_run::DataFolder(), [&](const test_seams::FrameView& f) {
            checked += game_run::FrameChecksum(f) != 0;  // the frames are really drawn
            if (f.frameNumber == 100) {
                g_allocations = 0;
                g_counting = true;
            } else if (f.frameNumber == 1100) {
                g_counting = false;
                during = g_allocations.load();
            }
        });
    g_counting = false;
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(checked, r.frames);
    return during;
}

class FrameLoop : public testing::TestWithParam<const char*> {};

TEST_P(FrameLoop, AThousandFramesAllocateNothing) {
    setenv("VORN7_PRESENTER", GetParam(), 1);  // both ways of showing frames
    // Keys too: arrows change the velocity between frames.
    EXPECT_EQ(AllocationsOverAThousandFrames(VK_RIGHT, VK_DOWN), 0);
}

INSTANTIATE_TEST_SUITE_P(BothPresenters, FrameLoop, testing::Values("renderer", "framebuffer"));

// The shipped level played: the player runs, jumps, falls and is sent back.
TEST(FrameLoopWithAPlayer, AThousandFramesAllocateNothing) {
    data_path::SetLevelFolder((game_run::DataFolder() / kShippedLevels / "first-run").string());
    EXPECT_EQ(AllocationsOverAThousandFrames(VK_RIGHT, 'Z'), 0);
    data_path::SetLevelFolder("");
}

}  // namespace
