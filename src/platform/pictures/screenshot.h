// Screenshots: the shown frame as a PNG in the user's pictures folder. Called by the shell's F12.
#pragma once

#include <ctime>
#include <string>

class IDirectDrawSurface;

// The user's pictures folder: XDG_PICTURES_DIR as xdg-user-dirs defines it (user-dirs.dirs in
// XDG_CONFIG_HOME or ~/.config, else the variable itself), else ~/Pictures where it exists,
// else the home folder.
std::string PicturesFolder();

struct ScreenshotOutcome {
    bool saved;
    std::string text;  // the file written, or why nothing was
};
// Writes surface (its own size, 8-bit frames through the palette) into folder as
// vorn7-YYYY-MM-DD-HH-MM-SS.png at time when, with -2, -3 ... when that name is taken: never over
// another file, and whole or not at all (a temporary file, then a hard link to its name).
ScreenshotOutcome SaveScreenshot(const IDirectDrawSurface& surface, const std::string& folder,
                                 std::time_t when);
