#include "platform/window/icon.h"

#include <SDL.h>
#include <png.h>

#include <vector>

#include "platform/files/regular_file.h"
#include "platform/window/window.h"

struct IconObject {
    SDL_Surface* picture = nullptr;
};

namespace {

// An icon is small: a larger file is not the program's icon.
constexpr std::uint64_t kMaxIconFileBytes = 1024 * 1024;
constexpr png_uint_32 kMaxIconSide = 512;

// The whole file, or nothing.
bool ReadAll(const char* name, std::vector<unsigned char>& bytes) {
    RegularFile file(name, kMaxIconFileBytes);
    if (!file.ok()) return false;
    bytes.resize(file.size());
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::int64_t n = file.Read(bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

HICON LoadIconA(HINSTANCE, LPCSTR) {
    // The program has one icon; whatever is asked for, it is the one.
    static IconObject icon;
    if (icon.picture != nullptr) return &icon;
    std::vector<unsigned char> bytes;
    if (!ReadAll(platform_internal::kIconFile, bytes)) return nullptr;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) return nullptr;
    if (image.width == 0 || image.height == 0 || image.width > kMaxIconSide ||
        image.height > kMaxIconSide) {
        png_image_free(&image);
        return nullptr;
    }
    image.format = PNG_FORMAT_RGBA;  // bytes R, G, B, A
    SDL_Surface* picture =
        SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(image.width),
                                       static_cast<int>(image.height), 32, SDL_PIXELFORMAT_RGBA32);
    if (picture == nullptr) {
        png_image_free(&image);
        return nullptr;
    }
    if (png_image_finish_read(&image, nullptr, picture->pixels, picture->pitch, nullptr) == 0) {
        SDL_FreeSurface(picture);
        return nullptr;
    }
    icon.picture = picture;
    return &icon;
}

void SetWindowIcon(SDL_Window* window, HICON icon) {
    if (window != nullptr && icon != nullptr && icon->picture != nullptr)
        SDL_SetWindowIcon(window, icon->picture);
}
