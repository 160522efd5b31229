// A small RGB canvas for drawing the game's pictures, and the BMP writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

using Colour = std::uint32_t;  // 0x00RRGGBB

constexpr Colour Rgb(int r, int g, int b) {
    return static_cast<Colour>(((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF));
}
// The see-through colour of every picture.
constexpr Colour kKey = Rgb(189, 198, 255);

// Deterministic noise in [0, 1) for a pixel and a salt.
double Noise(int x, int y, int salt);
// Smooth value noise in [0, 1) along one axis.
double SmoothNoise1D(double x, int salt);
Colour Mix(Colour a, Colour b, double t);
Colour Shade(Colour c, double factor);  // factor > 1 lightens, < 1 darkens

class Canvas {
  public:
    Canvas(int width, int height, Colour fill);
    int width() const { return width_; }
    int height() const { return height_; }
    Colour Get(int x, int y) const;
    void Set(int x, int y, Colour c);  // outside: ignored
    void FillRect(int x, int y, int w, int h, Colour c);
    void FillCircle(double cx, double cy, double r, Colour c);
    void FillEllipse(double cx, double cy, double rx, double ry, Colour c);
    void Line(int x0, int y0, int x1, int y1, Colour c);
    // Copies another canvas in at (x, y), leaving out its key pixels.
    void Blit(const Canvas& from, int x, int y, bool mirror = false);
    const std::vector<Colour>& pixels() const { return pixels_; }

  private:
    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

// Writes a 24-bit BMP, or an 8-bit palettized one (the canvas must hold at most 256 colours).
// Returns false with a message on failure.
bool SaveBmp24(const Canvas& canvas, const std::string& path, std::string& error);
bool SaveBmp8(const Canvas& canvas, const std::string& path, std::string& error);

}  // namespace assetgen
