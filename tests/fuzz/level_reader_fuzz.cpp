// libFuzzer target: any bytes as a level file. The reader must either fill the grid or raise the
// level error, never read or write outside its arrays.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "world/level_error.h"
#include "world/world.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/vorn7-fuzz-level-" + std::to_string(::getpid());
    static World* world = new World;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    try {
        world->ReadLevelFile(path.c_str(), world->TileGridMutable());
        // Every stored index came from one signed byte minus 61, or is the empty -1.
        for (const MapCell& c : world->TileGridRef().cells)
            if (c.tileIndex < -189 || c.tileIndex > 66) __builtin_trap();
        (void)world->CellAt(static_cast<std::int32_t>(size) * 37,
                            static_cast<std::int32_t>(size) * 11);
    } catch (const LevelError&) {
    }
    return 0;
}
