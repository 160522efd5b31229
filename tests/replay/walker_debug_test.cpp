#include <gtest/gtest.h>

#include <cstdio>

#include "actors/actor_manager.h"
#include "game_run.h"
#include "world/world.h"

TEST(Debug, Walker) {
    game_run::UseHeadlessPlatform(16);
    game_run::QuitAt(1200);
    game_run::Run(game_run::DataFolder(), [](const test_seams::FrameView& f) {
        Actor* a = TheWorld.Actors()->LiveActor(0);
        if (f.frameNumber == 250) game_run::WritePpm(f, "/tmp/f100.ppm");
        if (f.frameNumber % 25 == 0)
            std::printf("%llu: %d %d v %d %d solid(400,390)=%d\n", (unsigned long long)f.frameNumber, a->X(), a->Y(),
                        a->Motion().velocityX, a->Motion().accelerationX, TheWorld.SolidPixelAt(400, 390));
    });
}
