// Text in the overlay's typeface (DrawTextA), drawn into a surface's device context.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/display/ddraw.h"
#include "platform/display/pixel_format.h"
#include "platform/pictures/bitmap_font.h"
#include "platform/pictures/gdi_objects.h"

namespace {

// Draws one character cell, clipped to [clipL, clipR) x [clipT, clipB).
template <int kBytes>
void DrawCell(IDirectDrawSurface& s, const std::uint8_t* glyph, long long left, long long top,
              long long clipL, long long clipT, long long clipR, long long clipB, std::uint32_t ink,
              std::uint32_t paper) {
    const long long x0 = std::max(left, clipL),
                    x1 = std::min(left + bitmap_font::kCellWidth, clipR);
    const long long y0 = std::max(top, clipT), y1 = std::min(top + bitmap_font::kLineHeight, clipB);
    if (x0 >= x1) return;
    std::uint8_t* pixels = s.pixels();
    for (long long y = y0; y < y1; ++y) {
        const int gy = static_cast<int>(y - top) / bitmap_font::kScale - 1;  // a margin row on top
        const std::uint8_t bits =
            (gy >= 0 && gy < bitmap_font::kGlyphHeight) ? glyph[gy] : std::uint8_t{0};
        // One row of the cell in raw pixels, widened from the glyph's bits, copied in one move.
        std::uint8_t cell[bitmap_font::kCellWidth * kBytes];
        for (int cx = 0; cx < bitmap_font::kCellWidth; ++cx) {
            const int gx = cx / bitmap_font::kScale;
            const bool on = gx < bitmap_font::kGlyphWidth && ((bits >> (4 - gx)) & 1) != 0;
            pixel_format::WriteRaw(cell + cx * kBytes, kBytes * 8, on ? ink : paper);
        }
        std::memcpy(pixels + y * s.pitch() + x0 * kBytes, cell + (x0 - left) * kBytes,
                    static_cast<std::size_t>(x1 - x0) * kBytes);
    }
}

}  // namespace

int DrawTextA(HDC dc, LPCSTR text, int length, RECT* rect, UINT format) {
    if (dc == nullptr || dc->surface == nullptr || text == nullptr || rect == nullptr) return 0;
    IDirectDrawSurface& s = *dc->surface;
    const int bpp = s.bitsPerPixel();
    const std::uint32_t ink = pixel_format::EncodeColour(bpp, 0, 0, 0);
    const std::uint32_t paper = pixel_format::EncodeColour(bpp, 255, 255, 255);
    // Everything drawn stays inside both the rectangle and the surface.
    const long long clipL = std::max<long long>(rect->left, 0);
    const long long clipT = std::max<long long>(rect->top, 0);
    const long long clipR = std::min<long long>(rect->right, s.width());
    const long long clipB = std::min<long long>(rect->bottom, s.height());
    long long lineTop = rect->top;
    long long column = 0;
    int lines = 1;
    // DT_WORDBREAK: a word that would run past the rectangle's right edge starts a new line (a
    // word longer than a line is broken where the line ends), and the spaces at a break go.
    const bool wrap = (format & DT_WORDBREAK) != 0;
    const long long lineCells = std::max<long long>(
        1, (static_cast<long long>(rect->right) - rect->left) / bitmap_font::kCellWidth);
    const auto ends = [&](int i) { return length < 0 ? text[i] == '\0' : i >= length; };
    for (int i = 0; !ends(i); ++i) {
        const char c = text[i];
        if (c == '\n') {
            lineTop += bitmap_font::kLineHeight;
            column = 0;
            ++lines;
            continue;
        }
        if (c == '\r') continue;
        if (wrap && c == ' ' && column >= lineCells) continue;
        if (wrap && column > 0) {
            long long word = 0;
            if (c != ' ' && (i == 0 || text[i - 1] == ' '))
                while (!ends(i + static_cast<int>(word)) && text[i + word] != ' ' &&
                       text[i + word] != '\n')
                    ++word;
            if (column + word > lineCells || column >= lineCells) {
                lineTop += bitmap_font::kLineHeight;
                column = 0;
                ++lines;
                if (c == ' ') continue;
            }
        }
        const long long cellLeft = rect->left + column * bitmap_font::kCellWidth;
        ++column;
        if (cellLeft >= clipR || lineTop >= clipB) continue;
        const std::uint8_t* glyph = bitmap_font::Glyph(c);
        switch (bpp) {
            case 8:
                DrawCell<1>(s, glyph, cellLeft, lineTop, clipL, clipT, clipR, clipB, ink, paper);
                break;
            case 16:
                DrawCell<2>(s, glyph, cellLeft, lineTop, clipL, clipT, clipR, clipB, ink, paper);
                break;
            case 24:
                DrawCell<3>(s, glyph, cellLeft, lineTop, clipL, clipT, clipR, clipB, ink, paper);
                break;
            default:
                DrawCell<4>(s, glyph, cellLeft, lineTop, clipL, clipT, clipR, clipB, ink, paper);
                break;
        }
    }
    return lines * bitmap_font::kLineHeight;
}
