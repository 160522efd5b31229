// The message queue and the window's life cycle, as the shell relies on them.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <vector>

#include "platform/seams/test_seams.h"
#include "platform/window/clock.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"
#include "virtual_pad.h"

namespace {

std::vector<UINT> g_seen;
HWND g_window = nullptr;

LRESULT RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_seen.push_back(message);
    if (message == WM_DESTROY) PostQuitMessage(7);
    if (message == WM_KEYDOWN) g_seen.push_back(static_cast<UINT>(1000 + wParam));
    return DefWindowProcA(window, message, wParam, lParam);
}

class Messages : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.lpszClassName = "test";
        RegisterClassA(&wc);
        g_window =
            CreateWindowExA(0, "test", "test", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                            GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(g_window, nullptr);
    }
    void TearDown() override {
        if (g_window) DestroyWindow(g_window);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
};

void PushKey(SDL_Keycode key, bool down, bool repeat = false, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    e.key.repeat = repeat ? 1 : 0;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&e);
}

TEST_F(Messages, CreationShowAndDestructionRunTheProcedureSynchronously) {
    EXPECT_EQ(g_seen.front(), WM_CREATE);
    ShowWindow(g_window, SW_SHOWNORMAL);
    EXPECT_EQ(g_seen.back(), WM_ACTIVATEAPP);
    DestroyWindow(g_window);
    g_window = nullptr;
    EXPECT_EQ(g_seen.back(), WM_DESTROY);  // before DestroyWindow returned
    MSG m{};
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);  // the quit message
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 7u);
}

TEST_F(Messages, PeekWithNoRemoveTakesNothingAndKeysMapToVirtualKeys) {
    PushKey(SDLK_LEFT, true);
    PushKey(SDLK_LEFT, true, true);  // auto-repeat counts as another key press
    PushKey(SDLK_LEFT, false);
    PushKey(SDLK_a, true);
    PushKey(SDLK_7, true);
    PushKey(SDLK_F13, true);  // no virtual-key code: nothing is sent
    PushKey(SDLK_RETURN, true);
    PushKey(SDLK_RETURN, true, false, KMOD_LALT);  // with Alt: a system key, as on Windows
    PushKey(SDLK_RETURN, false, false, KMOD_LALT);
    MSG m{};
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    std::vector<std::pair<UINT, WPARAM>> got;
    while (PeekMessageA(nullptr, nullptr, 0, 0, PM_NOREMOVE)) {
        ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
        got.emplace_back(m.message, m.wParam);
    }
    const std::vector<std::pair<UINT, WPARAM>> expected{
        {WM_KEYDOWN, VK_LEFT},      {WM_KEYDOWN, VK_LEFT},   {WM_KEYUP, VK_LEFT},
        {WM_KEYDOWN, 'A'},          {WM_KEYDOWN, '7'},       {WM_KEYDOWN, VK_RETURN},
        {WM_SYSKEYDOWN, VK_RETURN}, {WM_SYSKEYUP, VK_RETURN}};
    EXPECT_EQ(got, expected);
}

// Key messages waiting now, taken from the queue.
std::vector<std::pair<UINT, WPARAM>> TakeKeys() {
    std::vector<std::pair<UINT, WPARAM>> got;
    MSG m{};
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
        if (m.message == WM_KEYDOWN || m.message == WM_KEYUP) got.emplace_back(m.message, m.wParam);
    return got;
}

TEST_F(Messages, AGamepadPressesKeysWithRepeatsAndLetsGoWhenPulledOut) {
    test_seams::UseVirtualClock(true, 1000);
    // SDL's dummy driver gives no window the focus, and SDL keeps a pad's events from a
    // program without it.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    const int index = virtual_pad::Attach();
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    ASSERT_NE(pad, nullptr);
    EXPECT_TRUE(TakeKeys().empty());  // plugged in: opened, nothing pressed

    using Keys = std::vector<std::pair<UINT, WPARAM>>;
    struct Step {
        const char* what;
        int button;  // -1: none
        int axis;    // -1: none
        int value;
        DWORD laterMs;
        Keys expected;
    };
    const Step steps[] = {
        {"D-pad left", SDL_CONTROLLER_BUTTON_DPAD_LEFT, -1, 1, 0, {{WM_KEYDOWN, VK_LEFT}}},
        {"held, before the delay", -1, -1, 0, 659, {}},
        {"the first repeat", -1, -1, 0, 1, {{WM_KEYDOWN, VK_LEFT}}},
        {"one repeat after a long wait", -1, -1, 0, 5000, {{WM_KEYDOWN, VK_LEFT}}},
        {"D-pad let go", SDL_CONTROLLER_BUTTON_DPAD_LEFT, -1, 0, 0, {{WM_KEYUP, VK_LEFT}}},
        {"stick inside the dead zone", -1, SDL_CONTROLLER_AXIS_LEFTX, 10000, 0, {}},
        {"stick right", -1, SDL_CONTROLLER_AXIS_LEFTX, 20000, 0, {{WM_KEYDOWN, VK_RIGHT}}},
        {"stick easing, still past release", -1, SDL_CONTROLLER_AXIS_LEFTX, 14000, 0, {}},
        {"stick back", -1, SDL_CONTROLLER_AXIS_LEFTX, 0, 0, {{WM_KEYUP, VK_RIGHT}}},
        {"stick up", -1, SDL_CONTROLLER_AXIS_LEFTY, -30000, 0, {{WM_KEYDOWN, VK_UP}}},
        {"A", SDL_CONTROLLER_BUTTON_A, -1, 1, 0, {{WM_KEYDOWN, VK_GAMEPAD_A}}},
        {"Y", SDL_CONTROLLER_BUTTON_Y, -1, 1, 0, {{WM_KEYDOWN, VK_SPACE}}},
        {"Start", SDL_CONTROLLER_BUTTON_START, -1, 1, 0, {{WM_KEYDOWN, VK_RETURN}}},
        {"Back", SDL_CONTROLLER_BUTTON_BACK, -1, 1, 0, {{WM_KEYDOWN, VK_ESCAPE}}},
        {"Back let go", SDL_CONTROLLER_BUTTON_BACK, -1, 0, 0, {{WM_KEYUP, VK_ESCAPE}}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        test_seams::AdvanceVirtualClock(step.laterMs);
        if (step.button >= 0)
            SDL_JoystickSetVirtualButton(pad, step.button, static_cast<Uint8>(step.value));
        if (step.axis >= 0)
            SDL_JoystickSetVirtualAxis(pad, step.axis, static_cast<Sint16>(step.value));
        EXPECT_EQ(TakeKeys(), step.expected);
    }
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(index);
    // Pulled out with the stick up and two buttons down: every key is let go.
    EXPECT_EQ(TakeKeys(), (Keys{{WM_KEYUP, VK_UP},
                                {WM_KEYUP, VK_GAMEPAD_A},
                                {WM_KEYUP, VK_SPACE},
                                {WM_KEYUP, VK_RETURN}}));
    test_seams::UseVirtualClock(false);
}

TEST_F(Messages, CloseRequestDestroysTheWindowThroughTheDefaultHandling) {
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
    MSG m{};
    ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_CLOSE);
    DispatchMessageA(&m);
    g_window = nullptr;
    EXPECT_EQ(g_seen.back(), WM_DESTROY);
    EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));
}

TEST_F(Messages, WaitMessageReturnsWhenAScriptedMessageArrives) {
    test_seams::ScheduleInput({1000, test_seams::InputKind::KeyDown, VK_SPACE, 0});
    EXPECT_TRUE(WaitMessage());  // the script is due at once while waiting
    MSG m{};
    ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.wParam, static_cast<WPARAM>(VK_SPACE));
}

TEST_F(Messages, ABurstLargerThanTheQueueKeepsEveryKeyInOrderAndTheCloseRequest) {
    // From SDL and from the script alike: nothing is dropped, the close request comes last.
    for (int i = 0; i < 2000; ++i) PushKey(i % 2 ? SDLK_LEFT : SDLK_a, true, i > 0);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    for (int i = 0; i < 1500; ++i)
        test_seams::ScheduleInput({0, test_seams::InputKind::KeyDown, VK_RIGHT, 0});
    test_seams::ScheduleInput({0, test_seams::InputKind::Close, 0, 0});
    std::vector<WPARAM> keys;
    int closes = 0;
    MSG m{};
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_KEYDOWN) keys.push_back(m.wParam);
        if (m.message == WM_CLOSE) ++closes;
    }
    ASSERT_EQ(keys.size(), 3500u);
    // The two sources interleave; within each, the order holds.
    std::vector<WPARAM> fromSdl;
    for (WPARAM k : keys)
        if (k != VK_RIGHT) fromSdl.push_back(k);
    ASSERT_EQ(fromSdl.size(), 2000u);
    for (std::size_t i = 0; i < fromSdl.size(); ++i)
        ASSERT_EQ(fromSdl[i], static_cast<WPARAM>(i % 2 ? VK_LEFT : 'A')) << i;
    EXPECT_EQ(closes, 2);
    EXPECT_EQ(test_seams::PendingScriptedInputs(), 0u);
}

TEST(Timer, VirtualClockWrapsLikeA32BitCounter) {
    test_seams::UseVirtualClock(true, 0xFFFFFFF0u);
    EXPECT_EQ(timeGetTime(), 0xFFFFFFF0u);
    test_seams::AdvanceVirtualClock(0x20);
    EXPECT_EQ(timeGetTime(), 0x10u);
    test_seams::UseVirtualClock(false);
}

}  // namespace

namespace {

// A finger on a touch screen, at a point of the window given as a share of its size.
void PushFinger(Uint32 type, SDL_FingerID finger, float x, float y) {
    SDL_Event e{};
    e.type = type;
    e.tfinger.fingerId = finger;
    e.tfinger.x = x;
    e.tfinger.y = y;
    SDL_PushEvent(&e);
}

TEST_F(Messages, FingersOnTheTouchControlsPressTheirKeysAsLongAsTheyStay) {
    // Where the controls stand: thumb-sized squares (a seventh of the shorter side) with a gap
    // of a sixth of that, Left, Up, Down and Right in a cross at the lower left, Jump larger at
    // the lower right.
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);  // the window's
    ASSERT_GT(w, 0);
    const float size = static_cast<float>(std::max(48, std::min(w, h) / 7));
    const float gap = size / 6;
    const float rightX = (gap + 2.5f * size) / static_cast<float>(w);
    const float middleY = (static_cast<float>(h) - gap - 1.5f * size) / static_cast<float>(h);
    const float jumpX = (static_cast<float>(w) - gap - 0.75f * size) / static_cast<float>(w);
    const float jumpY = (static_cast<float>(h) - gap - 0.75f * size) / static_cast<float>(h);
    using Keys = std::vector<std::pair<UINT, WPARAM>>;
    const struct {
        const char* what;
        Uint32 type;
        SDL_FingerID finger;
        float x, y;
        Keys expected;
    } steps[] = {
        {"a finger on Right", SDL_FINGERDOWN, 1, rightX, middleY, {{WM_KEYDOWN, VK_RIGHT}}},
        {"a second on Jump: both held", SDL_FINGERDOWN, 2, jumpX, jumpY, {{WM_KEYDOWN, 'Z'}}},
        {"a third on Right: still held once", SDL_FINGERDOWN, 3, rightX, middleY, {}},
        {"the first slides off to nothing", SDL_FINGERMOTION, 1, 0.5f, 0.2f, {}},
        {"the third lifts: Right let go", SDL_FINGERUP, 3, rightX, middleY, {{WM_KEYUP, VK_RIGHT}}},
        {"a touch in the middle presses nothing", SDL_FINGERDOWN, 4, 0.5f, 0.5f, {}},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        PushFinger(s.type, s.finger, s.x, s.y);
        EXPECT_EQ(TakeKeys(), s.expected);
    }
    // A keyboard's key takes the controls away and lets go of what they held.
    PushKey(SDLK_a, true);
    EXPECT_EQ(TakeKeys(), (Keys{{WM_KEYUP, 'Z'}, {WM_KEYDOWN, 'A'}}));
}

}  // namespace
