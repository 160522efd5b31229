// The presenter's reference: the least an SDL2 program does to show an 800 x 600 picture at 60
// frames a second in a window: one streaming XRGB texture updated every frame, the default
// renderer letterboxing it (SDL_RenderSetLogicalSize), one SDL_Delay to each 60 Hz deadline.
// bench/measure-presenter runs it beside the game in the same X server.
//   vorn7_present_reference [seconds]
#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    const Uint64 seconds = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_DisplayMode desktop;
    SDL_GetDesktopDisplayMode(0, &desktop);
    SDL_Window* window =
        SDL_CreateWindow("present reference", 0, 0, desktop.w, desktop.h, SDL_WINDOW_BORDERLESS);
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, 800, 600);
    if (window == nullptr || renderer == nullptr || texture == nullptr) return 1;
    SDL_RenderSetLogicalSize(renderer, 800, 600);
    std::vector<std::uint32_t> picture(800 * 600);
    for (std::size_t i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
    const Uint64 start = SDL_GetTicks64();
    Uint64 next = start;
    for (Uint64 frame = 0;; ++frame) {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            if (e.type == SDL_QUIT) return 0;
        SDL_UpdateTexture(texture, nullptr, picture.data(), 800 * 4);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
        next += 1000 / 60 + (frame % 3 == 0 ? 1 : 0);  // 16.67 ms on average
        const Uint64 now = SDL_GetTicks64();
        if (next > now) SDL_Delay(static_cast<Uint32>(next - now));
        if (now - start >= seconds * 1000) break;
    }
    SDL_Quit();
    return 0;
}
