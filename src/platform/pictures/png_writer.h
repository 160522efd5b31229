// Writes 8-bit RGB or RGBA PNG files row by row with libpng: the screenshots, the program's
// icon, the level tool's world pictures and the tests' frames on a failed comparison.
#pragma once

#include <cstdio>
#include <string>

#include <png.h>

class PngWriter {
  public:
    // Opens path for a width x height picture; ok() says whether it worked.
    PngWriter(const std::string& path, int width, int height, bool alpha = true);
    // Writes into an open file, which the writer then owns and closes.
    PngWriter(std::FILE* file, int width, int height, bool alpha);
    ~PngWriter();
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;
    bool ok() const { return ok_; }
    // One row of width x 3 (RGB) or width x 4 (RGBA) bytes, top to bottom.
    bool WriteRow(const unsigned char* row);
    // Ends the file, on the disk as well with sync; false when anything failed.
    bool Finish(bool sync = false);

  private:
    void Start(int width, int height, bool alpha);

    std::FILE* file_ = nullptr;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    bool ok_ = false;
};
