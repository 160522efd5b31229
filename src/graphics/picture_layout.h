// Every picture must cover the rectangles its layout copies from; a smaller one is refused when
// it loads, with a message that names the sizes.
#pragma once

#include <cstdint>

class Bitmap;

// 1 when the loaded picture is at least minWidth x minHeight; otherwise notes the failure for
// the file and returns 0.
std::int32_t CheckPictureCovers(const Bitmap& picture, const char* fileName, std::int32_t minWidth,
                                std::int32_t minHeight);
