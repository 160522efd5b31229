#include "actor_art.h"

#include <array>
#include <cmath>
#include <functional>

#include "actors/sprite_constants.h"

namespace assetgen {
namespace {

constexpr Colour kOutline = Rgb(28, 22, 34);

// ---- Shapes, tested at pixel centres ----

struct Point {
    double x, y;
};

using Shape = std::function<bool(double x, double y)>;

void Fill(Canvas& c, const Shape& shape, Colour colour) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (shape(x + 0.5, y + 0.5)) c.Set(x, y, colour);
}

Shape Disc(Point centre, double rx, double ry) {
    return [=](double x, double y) {
        const double dx = (x - centre.x) / rx, dy = (y - centre.y) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
}

// Everything within r of the segment from a to b: a limb.
Shape Capsule(Point a, Point b, double r) {
    return [=](double x, double y) {
        const double vx = b.x - a.x, vy = b.y - a.y, len2 = vx * vx + vy * vy;
        double t = len2 > 0 ? ((x - a.x) * vx + (y - a.y) * vy) / len2 : 0;
        t = t < 0 ? 0 : (t > 1 ? 1 : t);
        const double dx = x - (a.x + t * vx), dy = y - (a.y + t * vy);
        return dx * dx + dy * dy <= r * r;
    };
}

// Degrees from straight down, positive towards the front (+x): 90 is straight ahead.
Point Toward(Point from, double degrees, double length) {
    const double a = degrees * 3.14159265358979 / 180.0;
    return {from.x + std::sin(a) * length, from.y + std::cos(a) * length};
}

// Key pixels beside a drawn one (sides, above, below) become the outline.
void AddOutline(Canvas& c) {
    const Canvas drawn = c;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            if (drawn.Get(x, y) != kKey) continue;
            const bool beside = drawn.Get(x - 1, y) != kKey || drawn.Get(x + 1, y) != kKey ||
                                drawn.Get(x, y - 1) != kKey || drawn.Get(x, y + 1) != kKey;
            if (beside) c.Set(x, y, kOutline);
        }
}

// ---- The player ----

constexpr Colour kCap = Rgb(222, 52, 46), kCapLight = Rgb(252, 118, 96),
                 kCapDark = Rgb(150, 28, 34);
constexpr Colour kSkin = Rgb(250, 204, 160), kSkinShade = Rgb(214, 150, 112);
constexpr Colour kHair = Rgb(92, 52, 30), kEye = Rgb(24, 20, 36);
constexpr Colour kScarf = Rgb(252, 206, 48), kScarfShade = Rgb(214, 146, 24);
constexpr Colour kTunic = Rgb(46, 104, 206), kTunicLight = Rgb(92, 150, 236),
                 kTunicDark = Rgb(30, 64, 146);
constexpr Colour kTrousers = Rgb(58, 50, 88), kTrousersBack = Rgb(40, 34, 62);
constexpr Colour kBoot = Rgb(132, 76, 40), kBootBack = Rgb(92, 52, 28);
constexpr Colour kBelt = Rgb(84, 50, 30), kBuckle = Rgb(240, 200, 70);

// A pose, facing right: each limb's angles (see Toward), the body's lean forward in pixels, and
// how the scarf's tail hangs (positive droops it, negative lifts it).
struct Stance {
    double frontThigh, frontShin, backThigh, backShin;
    double frontUpperArm, frontForearm, backUpperArm, backForearm;
    double lean, scarfDrop, scarfWave;
    int lift;  // rows between the lowest foot and the frame's bottom row
};

void DrawLeg(Canvas& c, Point hip, double thigh, double shin, Colour cloth, Colour boot) {
    const Point knee = Toward(hip, thigh, 7);
    const Point ankle = Toward(knee, shin, 6.5);
    Fill(c, Capsule(hip, knee, 2.1), cloth);
    Fill(c, Capsule(knee, Toward(knee, shin, 3), 1.9), cloth);
    Fill(c, Capsule(Toward(knee, shin, 3), ankle, 2.0), boot);
    Fill(c, Capsule(ankle, Toward(ankle, shin + 90, 3), 1.6), boot);  // the foot points ahead
}

void DrawArm(Canvas& c, Point shoulder, double upper, double fore, Colour sleeve, Colour skin) {
    const Point elbow = Toward(shoulder, upper, 4.5);
    const Point hand = Toward(elbow, fore, 4);
    Fill(c, Capsule(shoulder, elbow, 1.7), sleeve);
    Fill(c, Capsule(elbow, hand, 1.3), skin);
    Fill(c, Disc(hand, 1.6, 1.6), skin);
}

// The hero facing right in a frame twice as tall as the cell, then moved down so its lowest
// foot rests `lift` rows above the cell's bottom row (the outline below it takes that row).
Canvas DrawPlayer(const Stance& s) {
    const int width = kPlayerSheet.cellWidth, height = kPlayerSheet.cellHeight;
    Canvas f(width, 2 * height, kKey);
    const double hipY = 31, cx = width / 2.0, l = s.lean;
    const Point neck{cx + l * 0.6, 20};

    // Behind the body: the far arm and leg, darker, and the scarf's tail.
    DrawArm(f, {cx - 2 + l * 0.5, 22}, s.backUpperArm, s.backForearm, kTunicDark, kSkinShade);
    DrawLeg(f, {cx - 1.5, hipY}, s.backThigh, s.backShin, kTrousersBack, kBootBack);
    for (int i = 0; i <= 8; ++i) {  // a ribbon, tapering, rippling along its length
        const double t = i / 8.0;
        const Point p{neck.x - 4.5 - 5 * t,
                      neck.y + 0.5 + s.scarfDrop * t + s.scarfWave * std::sin(t * 5.0)};
        Fill(f, Disc(p, 1.2, 1.7 - 0.6 * t), i % 4 == 3 ? kScarfShade : kScarf);
    }
    // The tunic leans with the body; a belt with a buckle in front.
    Fill(
        f,
        [&](double x, double y) {
            const double shift = l * (hipY - y) / 12.0;
            return y >= 19.5 && y <= hipY + 1 && x >= cx - 5 + shift && x <= cx + 5 + shift;
        },
        kTunic);
    Fill(
        f,
        [&](double x, double y) { return y >= 21 && y < 28 && x >= cx + 1 + l && x < cx + 3 + l; },
        kTunicLight);
    Fill(
        f,
        [&](double x, double y) {
            return y >= hipY - 2 && y < hipY && x >= cx - 5 && x <= cx + 5 + l / 6;
        },
        kBelt);
    Fill(f, Disc({cx + 2.5, hipY - 1}, 1.2, 1.0), kBuckle);
    // The near leg.
    DrawLeg(f, {cx + 1.5, hipY}, s.frontThigh, s.frontShin, kTrousers, kBoot);
    // Head: hair at the back, the face, the cap with its brim ahead, one eye.
    const Point head{cx + 0.5 + l, 13};
    Fill(f, Disc(head, 6, 6.2), kSkin);
    Fill(f, Disc({head.x - 3.5, head.y + 1}, 3, 4), kHair);
    Fill(f, Disc({head.x + 6, head.y + 2}, 1.3, 1.1), kSkin);  // the nose
    Fill(
        f,
        [&](double x, double y) {
            return Disc({head.x, head.y - 1}, 6.8, 6.2)(x, y) && y < head.y - 1;
        },
        kCap);
    Fill(
        f,
        [&](double x, double y) {
            return Disc({head.x - 1.5, head.y - 5}, 3, 1.6)(x, y);
        },
        kCapLight);
    Fill(
        f,
        [&](double x, double y) {
            return y >= head.y - 2 && y < head.y && x >= head.x + 2 && x < head.x + 9;
        },
        kCapDark);  // the brim
    Fill(
        f,
        [&](double x, double y) {
            return x >= head.x + 2.5 && x < head.x + 3.5 && y >= head.y && y < head.y + 2;
        },
        kEye);
    // The scarf round the neck, over the chin's shadow.
    Fill(
        f,
        [&](double x, double y) {
            return y >= neck.y - 1 && y < neck.y + 2 && x >= neck.x - 5 && x <= neck.x + 4;
        },
        kScarf);
    Fill(
        f,
        [&](double x, double y) {
            return y >= neck.y + 1 && y < neck.y + 2 && x >= neck.x - 5 && x <= neck.x + 4;
        },
        kScarfShade);
    // The near arm, over everything.
    DrawArm(f, {cx + 1 + l * 0.5, 22}, s.frontUpperArm, s.frontForearm, kTunic, kSkin);

    int lowest = 0;
    for (int y = 0; y < f.height(); ++y)
        for (int x = 0; x < width; ++x)
            if (f.Get(x, y) != kKey) lowest = y;
    Canvas cell(width, height, kKey);
    cell.Blit(f, 0, height - 2 - s.lift - lowest);
    AddOutline(cell);
    return cell;
}

// The poses, in the sheet's order. The run cycle: stride, passing, the other stride, passing.
std::array<Stance, kPlayerPoseCount> PlayerStances() {
    std::array<Stance, kPlayerPoseCount> s{};
    s[kPoseStand] = {3, 0, -3, 0, -2, 6, 6, 12, 0, 7, 0.5, 0};
    s[kPoseRun + 0] = {32, 5, -30, -52, -40, 30, 42, 110, 1.5, -0.5, 1.0, 0};
    s[kPoseRun + 1] = {2, -8, 48, -25, -12, 70, 16, 90, 1.5, 0.5, -1.0, 0};
    s[kPoseRun + 2] = {-30, -52, 32, 5, 42, 110, -40, 30, 1.5, -0.5, 1.0, 0};
    s[kPoseRun + 3] = {48, -25, 2, -8, 16, 90, -12, 70, 1.5, 0.5, -1.0, 0};
    // Rising: the near knee up, a fist raised, the scarf streaming down behind.
    s[kPoseJump] = {80, -10, -12, -35, 95, 140, -60, -20, 1, 5, 0.8, 1};
    // Falling: arms flung up, legs reaching for the ground, the scarf blown up.
    s[kPoseFall] = {22, -12, -18, -40, 100, 135, -80, -115, 0, -6, 0.8, 2};
    return s;
}

// ---- The goal ----

constexpr Colour kPole = Rgb(200, 204, 212), kPoleShade = Rgb(120, 126, 140);
constexpr Colour kGold = Rgb(244, 196, 56), kGoldLight = Rgb(255, 236, 150);
constexpr Colour kCheckLight = Rgb(246, 244, 236), kCheckDark = Rgb(44, 40, 56);
constexpr Colour kPlinth = Rgb(134, 130, 146), kPlinthLight = Rgb(176, 172, 186),
                 kPlinthDark = Rgb(92, 88, 106);

// A chequered flag flying right from the top of a pole, the pole set in a stepped stone base
// that stands on the frame's bottom row.
Canvas DrawGoal() {
    const int width = kGoalPicture.cellWidth, height = kGoalPicture.cellHeight;
    Canvas f(width, height, kKey);
    const int poleX = 8, bottom = height - 2;  // the outline takes the last row
    // The base: a wide step below a narrow one.
    f.FillRect(poleX - 6, bottom - 3, 17, 4, kPlinth);
    f.FillRect(poleX - 6, bottom - 3, 17, 1, kPlinthLight);
    f.FillRect(poleX - 6, bottom, 17, 1, kPlinthDark);
    f.FillRect(poleX - 3, bottom - 7, 11, 4, kPlinth);
    f.FillRect(poleX - 3, bottom - 7, 11, 1, kPlinthLight);
    // The pole, lit from the left, with a gold knob.
    f.FillRect(poleX, 6, 3, bottom - 13, kPole);
    f.FillRect(poleX + 2, 6, 1, bottom - 13, kPoleShade);
    Fill(f, Disc({poleX + 1.5, 4.5}, 3, 3), kGold);
    f.Set(poleX, 3, kGoldLight);
    f.Set(poleX + 1, 3, kGoldLight);
    // The flag: 4 x 4 chequers, each column raised or lowered on a wave.
    const int flagLeft = poleX + 3, flagRight = width - 2, flagTop = 8, flagRows = 16;
    for (int x = flagLeft; x <= flagRight; ++x) {
        const int u = x - flagLeft;
        const int wave = static_cast<int>(std::lround(1.6 * std::sin(u / 3.2)));
        for (int v = 0; v < flagRows; ++v) {
            const bool dark = ((u / 4) + (v / 4)) % 2 == 1;
            f.Set(x, flagTop + v + wave, dark ? kCheckDark : kCheckLight);
        }
    }
    AddOutline(f);
    return f;
}

}  // namespace

Canvas MakePlayerSheet() {
    const PictureGrid& g = kPlayerSheet;
    Canvas sheet(g.CoverWidth(), g.CoverHeight(), kKey);
    const std::array<Stance, kPlayerPoseCount> stances = PlayerStances();
    for (int i = 0; i < g.columns; ++i) {
        const Canvas right = DrawPlayer(stances[static_cast<std::size_t>(i)]);
        sheet.Blit(right, g.X(i), g.Y(0));
        sheet.Blit(right, g.X(i), g.Y(1), true);  // facing left: the mirror image
    }
    return sheet;
}

Canvas MakeGoalPicture() {
    const PictureGrid& g = kGoalPicture;
    Canvas picture(g.CoverWidth(), g.CoverHeight(), kKey);
    picture.Blit(DrawGoal(), g.X(0), g.Y(0));
    return picture;
}

}  // namespace assetgen
