#include "graphics/bitmap.h"

#include <utility>

#include "graphics/load_failure.h"
#include "platform/pictures/gdi.h"

Bitmap::~Bitmap() {
    if (handle_ != nullptr) DeleteObject(handle_);
}

std::int32_t Bitmap::Load(const char* fileName) {
    if (handle_ != nullptr) {
        DeleteObject(handle_);
        handle_ = nullptr;
    }
    handle_ = static_cast<HBITMAP>(
        LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (handle_ == nullptr) {
        load_failure::Note(fileName, GetLastLoadErrorText());
        return 0;
    }
    BITMAP description{};
    GetObjectA(handle_, static_cast<int>(sizeof(BITMAP)), &description);
    width_ = description.bmWidth;
    height_ = description.bmHeight;
    return 1;
}

void Bitmap::Swap(Bitmap& other) {
    std::swap(handle_, other.handle_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
}

std::int32_t Bitmap::CopyTo(IDirectDrawSurface* target, std::int32_t width, std::int32_t height,
                            std::int32_t sheetX, std::int32_t sheetY) {
    return StretchCopy(target, width, height, width, height, sheetX, sheetY);
}

std::int32_t Bitmap::StretchCopy(IDirectDrawSurface* target, std::int32_t destWidth,
                                 std::int32_t destHeight, std::int32_t sourceWidth,
                                 std::int32_t sourceHeight, std::int32_t sourceX,
                                 std::int32_t sourceY) {
    HDC surfaceDC = nullptr;
    target->GetDC(&surfaceDC);
    HDC memoryDC = CreateCompatibleDC(surfaceDC);
    SetMapMode(memoryDC, GetMapMode(surfaceDC));
    SelectObject(memoryDC, handle_);
    SetStretchBltMode(surfaceDC, COLORONCOLOR);
    StretchBlt(surfaceDC, 0, 0, destWidth, destHeight, memoryDC, sourceX, sourceY, sourceWidth,
               sourceHeight, SRCCOPY);
    DeleteDC(memoryDC);
    target->ReleaseDC(surfaceDC);
    return 1;
}
