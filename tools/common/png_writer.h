// Writes RGBA PNG files row by row with libpng: for the icon and the world pictures.
#pragma once

#include <cstdio>
#include <string>

#include <png.h>

class PngWriter {
  public:
    // Opens path for a width x height RGBA picture; ok() says whether it worked.
    PngWriter(const std::string& path, int width, int height);
    ~PngWriter();
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;
    bool ok() const { return ok_; }
    // One row of width x 4 bytes, top to bottom.
    bool WriteRow(const unsigned char* rgba);
    // Ends the file; false when anything failed.
    bool Finish();

  private:
    std::FILE* file_ = nullptr;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    bool ok_ = false;
};
