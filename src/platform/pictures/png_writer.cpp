#include "platform/pictures/png_writer.h"

#include <unistd.h>

PngWriter::PngWriter(const std::string& path, int width, int height, bool alpha) {
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ != nullptr) Start(width, height, alpha);
}

PngWriter::PngWriter(std::FILE* file, int width, int height, bool alpha) : file_(file) {
    if (file_ != nullptr) Start(width, height, alpha);
}

void PngWriter::Start(int width, int height, bool alpha) {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    info_ = png_ != nullptr ? png_create_info_struct(png_) : nullptr;
    if (info_ == nullptr || setjmp(png_jmpbuf(png_))) return;
    png_init_io(png_, file_);
    png_set_IHDR(png_, info_, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png_, info_);
    ok_ = true;
}

PngWriter::~PngWriter() {
    if (png_ != nullptr) png_destroy_write_struct(&png_, &info_);
    if (file_ != nullptr) std::fclose(file_);
}

bool PngWriter::WriteRow(const unsigned char* row) {
    if (!ok_ || setjmp(png_jmpbuf(png_))) return ok_ = false;
    png_write_row(png_, row);
    return true;
}

bool PngWriter::Finish(bool sync) {
    if (!ok_ || setjmp(png_jmpbuf(png_))) return false;
    png_write_end(png_, nullptr);
    png_destroy_write_struct(&png_, &info_);
    bool written = std::fflush(file_) == 0;
    if (sync) written = written && ::fsync(fileno(file_)) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return written && closed;
}
