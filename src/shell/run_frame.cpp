#include "shell/run_frame.h"

#include "shell/failure.h"
#include "shell/frame_tick.h"
#include "shell/surface_life_cycle.h"

std::int32_t RunFrame() {
    // FrameTick fails only when the world cannot be drawn, and World::Draw always reports
    // success: the branch is kept because the frame's contract has it.
    if (FrameTick() == 0) {
        EndAfterFailure("a frame could not be drawn");
        return 0;
    }
    if (PresentFrame() == 0) {
        EndAfterFailure("lost display surfaces could not be restored");
        return 0;
    }
    return 1;
}
