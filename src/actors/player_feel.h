// How the player feels to play: every number of its running, jumping and forgiveness, and the
// camera's following, stated once. The player runs on the walker's integrator and gravity
// (motion_state.h), so speeds are pixels per time unit (1/0.07 ms, about 14.3 ms) and it moves
// in fixed 16 ms steps; the figures in the comments are what a player sees.
#pragma once

#include <cstdint>

namespace player_feel {

// The box that collides with the tiles, the walkers and the goal, inside the 32 x 48 frame.
constexpr std::int32_t kBodyLeft = 6, kBodyRight = 26;  // 21 pixels wide
constexpr std::int32_t kBodyTop = 5, kBodyBottom = 47;  // 43 pixels high; the feet on row 47

// Running: 2 a time unit squared reaches the top speed in three steps (48 ms) and the first step
// already moves a pixel; let go, it slides to a stop in three steps (about 8 pixels). A full
// jump at the top speed carries about 100 pixels: a gap of three tiles.
constexpr std::int32_t kRunAcceleration = 2;
constexpr std::int32_t kRunSpeed = 5;  // the walker's: 5 pixels a 16 ms step, 312 a second

// Jumping: a jump leaves the ground at kJumpSpeed. While the key is held and the player rises,
// kJumpHoldLift takes half of gravity away, so the height follows the hold: a full jump rises
// about 3.5 tiles (112 pixels), a tap (let go after one frame) about one tile, as the rise is cut
// to kJumpCutSpeed when the key is let go.
constexpr std::int32_t kJumpSpeed = 20;
constexpr std::int32_t kJumpHoldLift = 1;
constexpr std::int32_t kJumpCutSpeed = 8;
constexpr std::int32_t kFallSpeed = 20;  // the fastest fall: 20 a time unit, 1.4 pixels a ms

// Forgiveness: a jump pressed this long before landing jumps on landing (the jump buffer); one
// pressed this long after running off an edge still jumps (coyote time).
constexpr std::int32_t kJumpBufferMs = 100;
constexpr std::int32_t kCoyoteMs = 100;
// A head that meets a ceiling's corner by at most this many pixels slides past it.
constexpr std::int32_t kCornerSlide = 6;
// A rise in the floor of at most this many pixels is stepped up without stopping (slopes).
constexpr std::int32_t kStepUp = 4;

// A fall this long ends as one out of the bottom of the world would: a pit shows its end at once.
constexpr std::int32_t kLongFallMs = 1200;
// Sent back to the start (a walker touched, a long fall, out of the world's bottom), the player
// blinks this long, and walkers cannot touch it meanwhile.
constexpr std::int32_t kBlinkMs = 1000;
constexpr std::int32_t kBlinkPhaseMs = 100;  // shown and hidden in turns of this length
// The run animation takes the next frame every this many pixels run.
constexpr std::int32_t kRunFramePixels = 10;

// The camera: the player moves freely within kDeadZoneX pixels left and right of the view's
// centre and kDeadZoneY up and down; past that, the camera follows, closing the distance with a
// time constant of kFollowMs (a player at top speed runs about 25 pixels past the zone's edge),
// in whole pixels, and comes to rest exactly when the player does.
constexpr std::int32_t kDeadZoneX = 48;
constexpr std::int32_t kDeadZoneY = 40;
constexpr std::int32_t kFollowMs = 100;

}  // namespace player_feel
