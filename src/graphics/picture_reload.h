// A reload of pictures, all or nothing: each named picture is set aside, load() reads them anew,
// and when it fails every one set aside comes back, so a save that does not load leaves the
// pictures in memory as they were. The one way the watch, the World and the sprite kinds reload.
#pragma once

#include <cstddef>

#include <vector>

#include "graphics/bitmap.h"

template <typename Load>
bool ReloadPictures(const std::vector<Bitmap*>& pictures, Load load) {
    std::vector<Bitmap> held(pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) held[i].Swap(*pictures[i]);
    if (load()) return true;
    for (std::size_t i = 0; i < pictures.size(); ++i) pictures[i]->Swap(held[i]);
    return false;
}
