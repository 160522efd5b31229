#include "graphics/picture_layout.h"

#include <cstdio>

#include "graphics/bitmap.h"
#include "graphics/load_failure.h"

std::int32_t CheckPictureCovers(const Bitmap& picture, const char* fileName,
                                const PictureGrid& grid) {
    const std::int32_t minWidth = grid.CoverWidth(), minHeight = grid.CoverHeight();
    if (picture.width() >= minWidth && picture.height() >= minHeight) return 1;
    char reason[160];
    std::snprintf(reason, sizeof reason,
                  "the picture is %d x %d; its layout needs at least %d x %d", picture.width(),
                  picture.height(), minWidth, minHeight);
    load_failure::Note(fileName, reason);
    return 0;
}
