// The same pictures composed with plain SDL2 surfaces, as the references of the composition
// benchmarks: every source a surface of its own, keyed as the system asked, with and without
// SDL_RLEACCEL.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/seams/test_seams.h"

namespace sdl_reference {

// The SDL format that holds the emulated display's raw pixels unchanged.
Uint32 FormatOf(int bitsPerPixel);
// A surface in that format; 8-bit surfaces share one palette, so SDL copies indices unchanged.
SDL_Surface* MakeSurface(int width, int height, int bitsPerPixel);
// Copies raw rows into a surface of the same format.
void CopyRows(SDL_Surface* to, const std::uint8_t* from, int pitch);

// A list of copies captured from the system (test_seams::CopyView), replayed with SDL_BlitSurface.
// As the system asked (every source keyed as it is), or as a program written for SDL2 would
// (asPlainProgram: a source with no see-through pixel, the background, copied without a key, the
// others keyed and run-length encoded).
class Composition {
  public:
    explicit Composition(bool asPlainProgram = false) : plain_(asPlainProgram) {}
    ~Composition();
    void Add(const test_seams::CopyView& copy);
    // Sets SDL_RLEACCEL on every keyed source (on) or takes it off (off).
    void UseRle(bool on);
    void Compose(SDL_Surface* target) const;
    std::size_t size() const { return copies_.size(); }

  private:
    struct Copy {
        SDL_Surface* source;
        SDL_Rect from;
        SDL_Rect to;
    };
    bool plain_;
    std::map<std::pair<const std::uint8_t*, bool>, SDL_Surface*> sources_;
    std::vector<Copy> copies_;
};

// "" when the surface's rows equal the raw pixels, otherwise the first differing pixel and its
// two values.
std::string FirstDifference(const SDL_Surface* surface, const std::uint8_t* pixels, int pitch);

}  // namespace sdl_reference
