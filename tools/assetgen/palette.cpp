#include "palette.h"

namespace assetgen {

Colour Texture(const Material& m, int x, int y, int salt) {
    const double n = Noise(x / 2, y / 2, salt) * 0.7 + Noise(x, y, salt + 1) * 0.3;
    if (n < 0.18) return m.dark;
    if (n > 0.82) return m.light;
    return m.mid;
}

}  // namespace assetgen
