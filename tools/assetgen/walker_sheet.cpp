#include "walker_sheet.h"

#include <array>

#include "actors/sprite_constants.h"
#include "palette.h"

namespace assetgen {
namespace {

struct Pose {
    int leftFootX, leftFootLift;  // foot x (relative to the body centre) and lift in pixels
    int rightFootX, rightFootLift;
    int bob;     // body offset downwards
    int squash;  // body flattened by this many pixels
};

constexpr Colour kBody = Rgb(236, 140, 44), kBodyDark = Rgb(188, 96, 28),
                 kBodyLight = Rgb(252, 192, 96);
constexpr Colour kEyeWhite = Rgb(250, 250, 244), kPupil = Rgb(24, 20, 36), kFoot = Rgb(80, 52, 96);

// Draws the walker facing right into a 64 x 64 frame; feet end on row 63, the body keeps within
// columns 8 to 46 so the wall probes meet it squarely.
Canvas DrawWalker(const Pose& p) {
    Canvas f(64, 64, kKey);
    const double cx = 27, cy = 34 + p.bob;
    const double ry = 20 - p.squash * 0.5, rx = 19 + p.squash * 0.3;
    // Legs and feet.
    auto foot = [&](int fx, int lift) {
        const int x = static_cast<int>(cx) + fx;
        f.FillRect(x - 1, static_cast<int>(cy + ry) - 4, 4,
                   60 - lift - static_cast<int>(cy + ry) + 4, kFoot);
        f.FillEllipse(x + 2, 61 - lift, 6, 2.6, kFoot);
    };
    foot(p.leftFootX, p.leftFootLift);
    foot(p.rightFootX, p.rightFootLift);
    // Body: a round shell with a lighter belly and a darker back.
    f.FillEllipse(cx, cy, rx + 1.5, ry + 1.5, kInk);
    f.FillEllipse(cx, cy, rx, ry, kBody);
    f.FillEllipse(cx - 5, cy + 4, rx * 0.55, ry * 0.6, kBodyLight);
    f.FillEllipse(cx - rx * 0.55, cy - ry * 0.3, 3, 5, kBodyDark);
    // Antenna.
    f.Line(static_cast<int>(cx - 2), static_cast<int>(cy - ry), static_cast<int>(cx - 6),
           static_cast<int>(cy - ry - 8), kInk);
    f.FillCircle(cx - 6, cy - ry - 9, 2.5, Rgb(120, 220, 240));
    // One big eye looking ahead.
    f.FillCircle(cx + 8, cy - 5, 7, kInk);
    f.FillCircle(cx + 8, cy - 5, 6, kEyeWhite);
    f.FillCircle(cx + 10.5, cy - 5, 3, kPupil);
    f.Set(static_cast<int>(cx + 9), static_cast<int>(cy - 7), kEyeWhite);
    return f;
}

}  // namespace

Canvas MakeWalkerSheet() {
    const PictureGrid& g = kWalkerSheet;
    Canvas sheet(g.CoverWidth(), g.CoverHeight(), Rgb(28, 26, 34));
    // The walk cycle facing right: contact, passing, contact (other foot), passing.
    const std::array<Pose, 4> walk{
        {{-10, 0, 10, 0, 1, 0}, {-3, 4, 3, 0, 0, 0}, {10, 0, -10, 0, 1, 0}, {3, 0, -3, 4, 0, 0}}};
    // Facing left mirrors about the body's centre (column 27), so both directions keep the
    // body within the columns the wall probes test.
    auto put = [&](const Canvas& frame, int i, int row, bool mirror) {
        for (int fy = 0; fy < g.cellHeight; ++fy)
            for (int fx = 0; fx < g.cellWidth; ++fx)
                sheet.Set(g.X(i) + fx, g.Y(row) + fy, frame.Get(mirror ? 54 - fx : fx, fy));
    };
    for (int i = 0; i < 4; ++i) {
        const Canvas right = DrawWalker(walk[static_cast<std::size_t>(i)]);
        // Frames 0 to 3 face left (the mirror image), 4 to 7 face right.
        put(right, i, 0, true);
        put(right, 4 + i, 0, false);
    }
    // Lower row: crouch, take-off, rise, peak, fall, land, turn.
    const std::array<Pose, 7> jump{{{-6, 0, 6, 0, 4, 4},
                                    {-4, 2, 4, 2, 0, 0},
                                    {-6, 8, 6, 8, -6, 0},
                                    {-8, 10, 8, 10, -8, 0},
                                    {-5, 6, 5, 6, -4, 0},
                                    {-8, 0, 8, 0, 5, 5},
                                    {0, 0, 0, 0, 1, 0}}};
    for (int i = 0; i < 7; ++i) put(DrawWalker(jump[static_cast<std::size_t>(i)]), i, 1, i == 6);
    return sheet;
}

}  // namespace assetgen
