#include "shell/picture_loading.h"

#include "actors/sprite_constants.h"
#include "graphics/picture_layout.h"
#include "graphics/picture_reload.h"
#include "shell/shell_globals.h"
#include "shell/surface_life_cycle.h"
#include "world/world.h"

std::int32_t LoadShellSheet() {
    if (ShellSpriteSheet.Load(kWalkerSheetFile) == 0) return 0;
    return CheckPictureCovers(ShellSpriteSheet, kWalkerSheetFile, kWalkerSheet);
}

std::int32_t LoadPictures() {
    if (LoadShellSheet() == 0) return 0;
    if (TheWorld.LoadBitmaps() == 0) return 0;
    return CreateDisplayObjects();
}

bool ReloadAllPictures() {
    if (!ReloadPictures({&ShellSpriteSheet},
                        [] { return LoadShellSheet() != 0 && TheWorld.ReloadBitmaps() != 0; }))
        return false;
    RebuildDisplayObjects();
    return true;
}
