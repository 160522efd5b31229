// What the player asks of the player's actor in one frame, whatever it came from (the keys, a
// gamepad, touch): the shell gathers it and hands it down each frame (ActorManager::SetControls);
// no actor reads the platform's keyboard itself.
#pragma once

struct PlayerControls {
    bool left = false;         // run left, while held
    bool right = false;        // run right, while held
    bool jumpHeld = false;     // a jump rises higher while this is held
    bool jumpPressed = false;  // a jump key went down since the last frame (held or already let go)
};
