#include "shell/desktop_keys.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "display/display.h"
#include "platform/pictures/screenshot.h"
#include "platform/window/window.h"
#include "shell/stopwatch.h"

namespace {

constexpr std::int32_t kNoticeMs = 2000;
char g_notice[160] = "";
std::int32_t g_noticeSince = 0;

void TakeScreenshot() {
    const std::string folder = PicturesFolder();
    const ScreenshotOutcome outcome =
        FrontSurface != nullptr ? SaveScreenshot(*FrontSurface, folder, std::time(nullptr))
                                : ScreenshotOutcome{false, folder + ": there is no frame to save"};
    if (outcome.saved) {
        std::fprintf(stderr, "vorn7: screenshot saved: %s\n", outcome.text.c_str());
        const std::size_t slash = outcome.text.rfind('/');
        std::snprintf(g_notice, sizeof g_notice, "Screenshot: %s",
                      outcome.text.c_str() + (slash == std::string::npos ? 0 : slash + 1));
    } else {
        std::fprintf(stderr, "vorn7: screenshot not saved: %s\n", outcome.text.c_str());
        std::snprintf(g_notice, sizeof g_notice, "Screenshot not saved: %s", outcome.text.c_str());
    }
    g_noticeSince = FrameClock.Elapsed();
}

}  // namespace

bool OnDesktopKey(HWND window, UINT message, WPARAM virtualKey) {
    const bool toggle = (message == WM_SYSKEYDOWN && virtualKey == VK_RETURN) ||
                        (message == WM_KEYDOWN && virtualKey == VK_F11);
    if (toggle) {
        SetFullScreen(window, IsFullScreen(window) ? FALSE : TRUE);
        return true;
    }
    if (message == WM_KEYDOWN && virtualKey == VK_F12) {
        TakeScreenshot();
        return true;
    }
    return false;
}

const char* ScreenshotNotice() {
    if (g_notice[0] != '\0' && FrameClock.Elapsed() - g_noticeSince >= kNoticeMs)
        g_notice[0] = '\0';
    return g_notice;
}

void ForgetScreenshotNotice() {
    g_notice[0] = '\0';
    g_noticeSince = 0;
}
