// SDL's virtual joystick as a game controller with every axis and button, for the tests that
// plug a pad in. The caller closes and detaches it.
#pragma once

#include <SDL.h>

namespace virtual_pad {

// The device index of a new virtual controller (negative on failure, SDL_GetError says why).
inline int Attach() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.name = "virtual pad";
    return SDL_JoystickAttachVirtualEx(&desc);
}

}  // namespace virtual_pad
