// Where a window goes: a new one beside the other windows rather than over them, and a kept
// place only while a display still shows it.
#include <gtest/gtest.h>

#include <vector>

#include "platform/window/window_place.h"

namespace {

using window_place::Box;

struct PlaceCase {
    const char* what;
    std::vector<Box> workAreas, others;
    int width, height;
    int x, y;
};

TEST(WindowPlace, ANewWindowCoversAsLittleOfTheOthersAsItCan) {
    const Box screen{0, 0, 1280, 800};
    for (const PlaceCase& c : std::vector<PlaceCase>{
             {"nothing else: centred", {screen}, {}, 800, 600, 240, 100},
             {"below a panel: centred in what it leaves",
              {{0, 30, 1280, 770}},
              {},
              800,
              600,
              240,
              115},
             {"an editor on the left half: centred in the right half",
              {screen},
              {{0, 0, 640, 800}},
              600,
              450,
              660,
              175},
             {"an editor on the right: centred in the room on the left",
              {screen},
              {{580, 0, 700, 800}},
              500,
              400,
              40,
              200},
             {"an editor across the top: below it",
              {screen},
              {{0, 0, 1280, 500}},
              640,
              280,
              320,
              510},
             {"a terminal in the free half's middle: the free half's top",
              {screen},
              {{0, 0, 640, 800}, {700, 300, 580, 200}},
              600,
              250,
              660,
              0},
             {"too little room: flush with the edge that has the most",
              {screen},
              {{0, 0, 1000, 800}},
              800,
              600,
              480,
              100},
             {"the editor fills the screen: centred over it",
              {screen},
              {{0, 0, 1280, 800}},
              800,
              600,
              240,
              100},
             {"the editor fills the first display: the second's centre",
              {screen, {1280, 0, 1024, 768}},
              {{0, 0, 1280, 800}},
              800,
              600,
              1392,
              84},
             {"larger than the screen: its top-left", {screen}, {}, 1600, 1000, 0, 0},
             {"no display known", {}, {{0, 0, 100, 100}}, 800, 600, 0, 0},
         }) {
        SCOPED_TRACE(c.what);
        const window_place::Spot spot =
            window_place::ChooseFreePlace(c.workAreas, c.others, c.width, c.height);
        EXPECT_EQ(spot.x, c.x);
        EXPECT_EQ(spot.y, c.y);
    }
}

TEST(WindowPlace, AKeptPlaceCountsWhileADisplayShowsEnoughOfIt) {
    const std::vector<Box> displays{{0, 0, 1280, 800}, {1280, 0, 1024, 768}};
    struct Case {
        const char* what;
        Box box;
        bool on;
    };
    for (const Case& c : {
             Case{"on the first display", {100, 100, 800, 600}, true},
             Case{"on the second", {1500, 100, 800, 600}, true},
             Case{"on a display unplugged since", {2400, 100, 800, 600}, false},
             Case{"above the screens", {100, -700, 800, 600}, false},
             Case{"64 by 64 of it showing at a corner", {-736, -536, 800, 600}, true},
             Case{"63 pixels of it showing", {-737, 100, 800, 600}, false},
             Case{"across both", {1000, 100, 800, 600}, true},
             Case{"small and whole on a display", {10, 10, 20, 20}, true},
             Case{"no size", {10, 10, 0, 600}, false},
         }) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(window_place::IsOnADisplay(c.box, displays), c.on);
    }
}

}  // namespace
