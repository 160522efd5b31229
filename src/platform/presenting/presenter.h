// Internal to src/platform/: the screen. Shows the front surface scaled into the window, through
// SDL's renderer or the window's own framebuffer in whatever pixel format it has. The window
// holds one (window_object.h); present_surface.cpp shows each frame through it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/presenting/frame_scaler.h"

struct SDL_Rect;
struct SDL_Surface;
struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
class IDirectDrawSurface;

namespace platform_internal {

class Presenter {
  public:
    // Chooses how frames reach the window; false, with the reason in error, when neither way
    // works.
    bool Open(SDL_Window* window, std::string& error);
    void Close();
    // Shows the rows of the frame that changed since the last one (all of them after a change
    // of size, mode or scaling).
    void Show(const IDirectDrawSurface& front);
    // Shows the last frame again, whole: the window system lost the window's pixels (another
    // window covered it, it was restored or resized). Allocates nothing.
    void Redraw();
    // Whole-number factors only (crisp pixels, centred) or the largest fit with the aspect kept.
    void ScaleByWholeFactors(bool on);
    // The size of the frame last shown; 0 x 0 before the first.
    void FrameSize(int* width, int* height) const {
        *width = width_;
        *height = height_;
    }
    // Whether presenting already waits for a 60 Hz display (no pacing needed).
    bool WaitsForVsync() const { return vsync_; }
    // The window's pixels as XRGB.
    bool ReadShown(std::vector<std::uint32_t>& xrgb, int* width, int* height);

  private:
    void MakeTexture();
    void ThroughRenderer(int top, int bottom);
    void ThroughFramebuffer(int top, int bottom, bool all);
    int DrawTouchControls(SDL_Surface* target, SDL_Rect* rects);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    bool framebuffer_ = false;  // without a GPU: the window's own framebuffer
    bool vsync_ = false;
    bool wholeFactors_ = false;
    int width_ = 0, height_ = 0, bits_ = 0, pitch_ = 0;  // the frame last shown
    std::vector<std::uint8_t> shown_;       // its pixels, to find what changed and to redraw
    std::vector<std::uint32_t> expanded_;   // 8-bit rows through the palette; sized per mode
    std::vector<std::uint32_t> converted_;  // the window's size, where it is not XRGB
    frame_scaler::FrameScaler scaler_;
};

}  // namespace platform_internal
