#include "platform/window/message_queue.h"

#include <array>

namespace message_queue {

namespace {

constexpr std::size_t kCapacity = 512;
constexpr std::size_t kReservedSlots = 16;
std::array<MSG, kCapacity> g_ring{};
std::size_t g_head = 0;
std::size_t g_count = 0;

}  // namespace

bool RoomForInput() {
    return g_count + kReservedSlots < kCapacity;
}

void Push(const MSG& message) {
    if (g_count == kCapacity) return;  // unreachable: input leaves kReservedSlots free
    g_ring[(g_head + g_count) % kCapacity] = message;
    ++g_count;
}

const MSG& Front() {
    return g_ring[g_head];
}

MSG Pop() {
    MSG m = g_ring[g_head];
    g_head = (g_head + 1) % kCapacity;
    --g_count;
    return m;
}

std::size_t Count() {
    return g_count;
}

void DropMessagesFor(HWND window) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < g_count; ++i) {
        MSG m = g_ring[(g_head + i) % kCapacity];
        if (m.message == WM_QUIT || m.hwnd != window) {
            m.hwnd = m.message == WM_QUIT ? nullptr : m.hwnd;
            g_ring[(g_head + kept) % kCapacity] = m;
            ++kept;
        }
    }
    g_count = kept;
}

}  // namespace message_queue
