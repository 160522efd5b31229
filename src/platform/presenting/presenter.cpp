#include "platform/presenting/presenter.h"

#include <SDL.h>
#include <glob.h>

#include <array>
#include <cstdlib>
#include <cstring>

#include "platform/display/ddraw.h"
#include "platform/display/pixel_format.h"
#include "platform/window/touch_controls.h"

namespace platform_internal {

namespace {

// The texture format that holds a surface's raw pixels as they are (8 bits go through the
// palette to XRGB).
Uint32 TextureFormatOf(int bits) {
    switch (bits) {
        case 16:
            return SDL_PIXELFORMAT_RGB565;
        case 24:
            return SDL_PIXELFORMAT_BGR24;  // bytes B, G, R
        default:
            return SDL_PIXELFORMAT_RGB888;
    }
}

// Whether the renderer draws with the CPU: SDL's software renderer, or OpenGL on a software
// rasterizer. Rasterizing the scaled frame that way cost about 29 % of a core at 60 Hz on an
// 800 x 600 frame (Xvfb, llvmpipe); scaling only the changed rows into the window's own
// framebuffer costs a few per cent.
bool DrawsInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0) return true;
    if (std::strcmp(info.name, "software") == 0) return true;
    if (std::strncmp(info.name, "opengl", 6) != 0 || SDL_GL_GetCurrentContext() == nullptr)
        return false;
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const auto* name = getString ? reinterpret_cast<const char*>(getString(0x1F01)) : nullptr;
    if (name == nullptr) return false;  // GL_RENDERER unknown: trust the renderer
    for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "SwiftShader"})
        if (std::strstr(name, software) != nullptr) return true;
    return false;
}

// Whether the machine has a GPU device the renderer could draw with. Without one, SDL's renderer
// can only rasterize in software, and creating it just to find that out loads the software
// rasterizer (llvmpipe: about 50 MB resident, measured under Xvfb).
bool HasGpuDevice() {
    glob_t found{};
    const bool any = glob("/dev/dri/renderD*", 0, nullptr, &found) == 0 ||
                     glob("/dev/dri/card*", GLOB_APPEND, nullptr, &found) == 0 ||
                     glob("/dev/nvidia[0-9]*", GLOB_APPEND, nullptr, &found) == 0;
    globfree(&found);
    return any;
}

bool Chosen(const char* presenter) {
    const char* chosen = std::getenv("VORN7_PRESENTER");
    return chosen != nullptr && std::strcmp(chosen, presenter) == 0;
}

std::string Reason(const char* what) {
    return std::string(what) + " (" + SDL_GetError() + ")";
}

}  // namespace

// VORN7_PRESENTER=renderer or framebuffer chooses; otherwise the framebuffer where the renderer
// would draw in software.
bool Presenter::Open(SDL_Window* window, std::string& error) {
    window_ = window;
    if (Chosen("renderer") || (!Chosen("framebuffer") && HasGpuDevice())) {
        SDL_DisplayMode mode;
        const bool at60 = SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.refresh_rate >= 59 &&
                          mode.refresh_rate <= 61;
        renderer_ = SDL_CreateRenderer(
            window, -1, SDL_RENDERER_ACCELERATED | (at60 ? SDL_RENDERER_PRESENTVSYNC : 0));
        if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
        if (renderer_ == nullptr) {
            error = Reason("the window could not be drawn into");
            return false;
        }
        SDL_RendererInfo info;
        vsync_ = at60 && SDL_GetRendererInfo(renderer_, &info) == 0 &&
                 (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
        SDL_RenderSetIntegerScale(renderer_, wholeFactors_ ? SDL_TRUE : SDL_FALSE);
        if (Chosen("renderer") || !DrawsInSoftware(renderer_)) return true;
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
        vsync_ = false;
    }
    // The window's own framebuffer (X shared memory), not one the renderer emulates.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) {
        error = Reason("the window could not be drawn into");
        return false;
    }
    // A palette's colours are not the game's to choose: such a display shows nothing right.
    if (surface->format->BytesPerPixel < 2) {
        error = "the window's display has " + std::to_string(surface->format->BitsPerPixel) +
                " bits a pixel; the game needs 15 or more";
        return false;
    }
    framebuffer_ = true;
    return true;
}

void Presenter::Close() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
}

void Presenter::ScaleByWholeFactors(bool on) {
    wholeFactors_ = on;
    scaler_.ScaleByWholeFactors(on);
    if (renderer_) SDL_RenderSetIntegerScale(renderer_, on ? SDL_TRUE : SDL_FALSE);
}

// A mode switch: a texture in the surface's own format where SDL has one, so no frame is
// converted on the way; the renderer letterboxes it with the aspect kept.
void Presenter::MakeTexture() {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, TextureFormatOf(bits_), SDL_TEXTUREACCESS_STREAMING,
                                 width_, height_);
    expanded_.assign(bits_ == 8 ? static_cast<std::size_t>(width_) * height_ : 0, 0);
    SDL_RenderSetLogicalSize(renderer_, width_, height_);
}

void Presenter::Show(const IDirectDrawSurface& front) {
    const int width = front.width(), height = front.height(), bits = front.bitsPerPixel();
    const int pitch = front.pitch(), rowBytes = width * pixel_format::BytesPerPixel(bits);
    bool all = false;
    if (width_ != width || height_ != height || bits_ != bits || pitch_ != pitch) {
        width_ = width;
        height_ = height;
        bits_ = bits;
        pitch_ = pitch;
        shown_.assign(static_cast<std::size_t>(pitch) * height, 0);
        if (renderer_) MakeTexture();
        all = true;
    }
    // Only the rows that changed since the last frame are shown again.
    const std::uint8_t* pixels = front.pixels();
    std::uint8_t* shown = shown_.data();
    auto same = [&](int y) {
        return std::memcmp(pixels + y * pitch, shown + y * pitch,
                           static_cast<std::size_t>(rowBytes)) == 0;
    };
    int top = 0, bottom = height;
    if (!all) {
        while (top < height && same(top)) ++top;
        while (bottom > top && same(bottom - 1)) --bottom;
    }
    if (top < bottom)
        std::memcpy(shown + top * pitch, pixels + top * pitch,
                    static_cast<std::size_t>(bottom - top) * pitch);
    if (framebuffer_)
        ThroughFramebuffer(top, bottom, all);
    else
        ThroughRenderer(top, bottom);
}

void Presenter::Redraw() {
    if (width_ == 0) return;  // nothing shown yet
    if (framebuffer_)
        ThroughFramebuffer(0, height_, true);
    else
        ThroughRenderer(0, 0);  // the texture still holds the frame
}

// Uploads frame rows [top, bottom) into the texture and shows it.
void Presenter::ThroughRenderer(int top, int bottom) {
    if (texture_ == nullptr) return;
    const std::uint8_t* pixels = shown_.data();
    if (top < bottom) {
        const SDL_Rect rows{0, top, width_, bottom - top};
        if (bits_ == 8) {
            std::uint32_t* out = expanded_.data() + static_cast<std::ptrdiff_t>(top) * width_;
            for (int y = top; y < bottom; ++y)
                pixel_format::DecodeRowToXrgb(8, pixels + y * pitch_, width_,
                                              out + static_cast<std::ptrdiff_t>(y - top) * width_);
            SDL_UpdateTexture(texture_, &rows, out, width_ * 4);
        } else {
            SDL_UpdateTexture(texture_, &rows, pixels + top * pitch_, pitch_);
        }
    }
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    if (touch_controls::Shown()) {
        // Over the whole output, not the letterboxed frame: the corners are the thumbs'.
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(renderer_, &w, &h);
        SDL_RenderSetLogicalSize(renderer_, 0, 0);
        SDL_RenderSetViewport(renderer_, nullptr);
        SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
        const touch_controls::Layout layout = touch_controls::LayOut(w, h);
        for (std::size_t i = 0; i < layout.size(); ++i) {
            const bool held = touch_controls::Held(i);
            SDL_SetRenderDrawColor(renderer_, held ? 240 : 40, held ? 192 : 40, held ? 96 : 60,
                                   150);
            SDL_RenderFillRect(renderer_, &layout[i].rect);
            SDL_SetRenderDrawColor(renderer_, 255, 255, 255, 160);
            SDL_RenderDrawRect(renderer_, &layout[i].rect);
        }
        SDL_RenderSetLogicalSize(renderer_, width_, height_);
    }
    SDL_RenderPresent(renderer_);
}

// The touch controls over the window's framebuffer, drawn again after every frame's rows (which
// may have covered them); their rectangles join what is sent. Returns how many were added.
int Presenter::DrawTouchControls(SDL_Surface* target, SDL_Rect* rects) {
    if (!touch_controls::Shown()) return 0;
    const touch_controls::Layout layout = touch_controls::LayOut(target->w, target->h);
    const Uint32 edge = SDL_MapRGB(target->format, 200, 200, 200);
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const bool held = touch_controls::Held(i);
        const Uint32 fill = held ? SDL_MapRGB(target->format, 240, 192, 96)
                                 : SDL_MapRGB(target->format, 40, 40, 60);
        SDL_Rect r = layout[i].rect;
        SDL_FillRect(target, &r, edge);
        r = {r.x + 2, r.y + 2, r.w - 4, r.h - 4};
        SDL_FillRect(target, &r, fill);
        rects[i] = layout[i].rect;
    }
    return static_cast<int>(layout.size());
}

// Scales the rows of the frame that changed (all of them after a size change) into the
// window's framebuffer and sends them. The scaler writes XRGB words: straight into a window of
// that format, else into a copy of the window's size that SDL converts into the window's own
// format (16 bits on a VNC server, the browser's BGR888).
void Presenter::ThroughFramebuffer(int top, int bottom, bool all) {
    SDL_Surface* target = SDL_GetWindowSurface(window_);  // made again after a resize
    if (target == nullptr || target->format->BytesPerPixel < 2) return;
    const SDL_PixelFormat& format = *target->format;
    const bool xrgb = format.BytesPerPixel == 4 && format.Rmask == 0x00ff0000u &&
                      format.Gmask == 0x0000ff00u && format.Bmask == 0x000000ffu;
    if (scaler_.Configure(width_, height_, target->w, target->h)) all = true;
    if (!xrgb && all)
        converted_.assign(static_cast<std::size_t>(target->w) * static_cast<std::size_t>(target->h),
                          0);
    if (all) {
        SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));  // the letterbox bars
        top = 0;
        bottom = height_;
    }
    if (top >= bottom && !touch_controls::Shown()) return;
    if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
    auto* window = static_cast<std::uint8_t*>(target->pixels);
    frame_scaler::Box rows{};
    if (top >= bottom) {
        // Nothing of the frame changed: the touch controls alone are drawn again.
    } else if (xrgb) {
        rows = scaler_.ScaleRows(shown_.data(), pitch_, bits_, top, bottom, window, target->pitch,
                                 format.Amask);
    } else {
        const int pitch = target->w * 4;
        auto* staged = reinterpret_cast<std::uint8_t*>(converted_.data());
        rows = scaler_.ScaleRows(shown_.data(), pitch_, bits_, top, bottom, staged, pitch, 0);
        const std::ptrdiff_t from = static_cast<std::ptrdiff_t>(rows.y) * pitch + rows.x * 4;
        const std::ptrdiff_t to = static_cast<std::ptrdiff_t>(rows.y) * target->pitch +
                                  static_cast<std::ptrdiff_t>(rows.x) * format.BytesPerPixel;
        if (rows.width > 0 && rows.height > 0)
            SDL_ConvertPixels(rows.width, rows.height, SDL_PIXELFORMAT_RGB888, staged + from, pitch,
                              format.format, window + to, target->pitch);
    }
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    std::array<SDL_Rect, 1 + touch_controls::kControlCount> changed{};
    changed[0] = all ? SDL_Rect{0, 0, target->w, target->h}
                     : SDL_Rect{rows.x, rows.y, rows.width, rows.height};
    const int count = 1 + DrawTouchControls(target, changed.data() + 1);
    SDL_UpdateWindowSurfaceRects(window_, changed.data(), count);
}

bool Presenter::ReadShown(std::vector<std::uint32_t>& xrgb, int* width, int* height) {
    if (framebuffer_) {
        SDL_Surface* shown = SDL_GetWindowSurface(window_);
        if (shown == nullptr) return false;
        *width = shown->w;
        *height = shown->h;
        xrgb.resize(static_cast<std::size_t>(shown->w) * static_cast<std::size_t>(shown->h));
        return SDL_ConvertPixels(shown->w, shown->h, shown->format->format, shown->pixels,
                                 shown->pitch, SDL_PIXELFORMAT_RGB888, xrgb.data(),
                                 shown->w * 4) == 0;
    }
    if (renderer_ == nullptr) return false;
    if (SDL_GetRendererOutputSize(renderer_, width, height) != 0) return false;
    xrgb.assign(static_cast<std::size_t>(*width) * static_cast<std::size_t>(*height), 0);
    // Read the whole output, not the letterboxed viewport.
    SDL_RenderSetLogicalSize(renderer_, 0, 0);
    SDL_RenderSetViewport(renderer_, nullptr);
    const bool ok = SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, xrgb.data(),
                                         *width * 4) == 0;
    SDL_RenderSetLogicalSize(renderer_, width_, height_);
    return ok;
}

}  // namespace platform_internal
