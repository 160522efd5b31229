#include "world_fixture.h"

#include <unistd.h>

#include <filesystem>

#include "bmp_writer.h"

namespace world_fixture {

bool LoadTiles(const SolidAt& solid) {
    TheWorld.CreateResources();
    const auto path = std::filesystem::temp_directory_path() /
                      ("vorn7-tiles-" + std::to_string(::getpid()) + ".bmp");
    bmp_writer::Write(
        path, bmp_writer::Encode(529, 133, bmp_writer::Format::Rgb24, [&](int x, int y) {
            const int k = (x - 1) / 33, r = (y - 1) / 33, tx = (x - 1) % 33, ty = (y - 1) % 33;
            if (x < 1 || y < 1 || tx == 32 || ty == 32 || k > 15 || r > 3) return 0x202020u;
            return solid(k * 4 + r, tx, ty) ? 0x402010u : 0xBDC6FFu;
        }));
    const bool loaded = TheWorld.TilePicture().Load(path.c_str()) != 0;
    std::filesystem::remove(path);
    if (!loaded) return false;
    for (int k = 0; k < 16; ++k)
        for (int r = 0; r < 4; ++r)
            TheWorld.TileBankPtr()->LoadTile(k * 4 + r, TheWorld.TilePicture(), 0, 1 + 33 * k,
                                             1 + 33 * r, true, 1);
    return true;
}

void FillGrid(TileGrid& grid, int tileIndex) {
    for (MapCell& c : grid.cells) c = {0, tileIndex, 0};
}

}  // namespace world_fixture
