#include "world_picture.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "display/display.h"
#include "graphics/tile_bank.h"
#include "platform/pictures/png_writer.h"
#include "shell/headless_start.h"
#include "whole_file.h"
#include "world/cell_walk.h"
#include "world/world.h"

namespace level_tool {
namespace {

constexpr int kWorld = kWorldSize;
// The world is drawn a band of rows at a time, so the memory it takes stays small.
constexpr int kBand = 256;

// Every pixel of a 32-bit surface set to the see-through colour: what no tile covers stays clear.
void Clear(IDirectDrawSurface* s, std::uint32_t key) {
    DDSURFACEDESC desc{};
    desc.dwSize = DDSURFACEDESC_SIZE;
    if (s->Lock(nullptr, &desc, 0, nullptr) < 0) return;
    for (int y = 0; y < s->height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<BYTE*>(desc.lpSurface) +
                                                     static_cast<std::ptrdiff_t>(y) * desc.lPitch);
        for (int x = 0; x < s->width(); ++x) row[x] = key;
    }
    s->Unlock(nullptr);
}

const std::uint32_t* Row(const IDirectDrawSurface* s, int y) {
    return reinterpret_cast<const std::uint32_t*>(s->pixels() +
                                                  static_cast<std::ptrdiff_t>(y) * s->pitch());
}

}  // namespace

bool RenderWorld(const std::string& dataDir, const std::string& out, int scale, bool blocks,
                 std::string& message) {
    if (scale != 1 && scale != 2 && scale != 4 && scale != 8 && scale != 16 && scale != 32) {
        message = "--scale " + std::to_string(scale) + ": the scale is 1, 2, 4, 8, 16 or 32";
        return false;
    }
    const std::string where = std::filesystem::absolute(out).string();
    if (!headless_start::Start(dataDir.c_str())) {
        message = "the world could not be drawn (the reason is above)";
        return false;
    }
    const auto key = static_cast<std::uint32_t>(TransparentColour);
    IDirectDrawSurface* band = CreateOffscreenSurface(kWorld, kBand);
    IDirectDrawSurface* block = CreateOffscreenSurface(kBlockSize, kBlockSize);
    if (band == nullptr || block == nullptr) {
        message = "the drawing surfaces could not be created";
        return false;
    }
    const std::string temporary = TemporaryBeside(where);
    const int size = kWorld / scale;
    PngWriter png(temporary, size, size);
    if (!png.ok()) {
        message = out + ": cannot write the file";
        return false;
    }
    const bool progress = isatty(STDERR_FILENO) == 1;
    std::vector<unsigned char> rgba(static_cast<std::size_t>(size) * 4);
    bool written = true;
    for (int top = 0; top < kWorld && written; top += kBand) {
        if (progress) std::fprintf(stderr, "\rrendering the world: %3d %%", top * 100 / kWorld);
        Clear(band, key);
        const ViewRectangle view{0, top, kWorld - 1, top + kBand - 1};
        ForEachCellInView(view, kTileSize, [&](int x, int y, int sx, int sy) {
            const std::int32_t index = TheWorld.CellAt(x, y).tileIndex;
            if (index >= 0) TheWorld.TileBankPtr()->Draw(index, sx, sy, band);
        });
        // A block cell over the tile cell it passes by, shrunk by the layer's speed.
        if (blocks)
            ForEachCellInView(view, kTileSize, [&](int x, int y, int sx, int sy) {
                const std::int32_t index =
                    TheWorld
                        .GridCellAt(x * kBlockLayerSpeed, y * kBlockLayerSpeed, kBlockSize,
                                    kBlockSize)
                        .tileIndex;
                if (!IsDrawnBlock(index)) return;
                Clear(block, key);
                TheWorld.BlockBankPtr()->Draw(index, 0, 0, block);
                DDSURFACEDESC desc{};
                desc.dwSize = DDSURFACEDESC_SIZE;
                if (band->Lock(nullptr, &desc, 0, nullptr) < 0) return;
                for (int by = 0; by < kTileSize; ++by) {
                    auto* to = reinterpret_cast<std::uint32_t*>(static_cast<BYTE*>(desc.lpSurface) +
                                                                (sy + by) * desc.lPitch);
                    const std::uint32_t* from = Row(block, by * kBlockLayerSpeed);
                    for (int bx = 0; bx < kTileSize; ++bx)
                        if (from[bx * kBlockLayerSpeed] != key)
                            to[sx + bx] = from[bx * kBlockLayerSpeed];
                }
                band->Unlock(nullptr);
            });
        // Each output pixel averages scale x scale pixels; see-through ones only lower alpha.
        for (int y = 0; y < kBand / scale && written; ++y) {
            for (int x = 0; x < size; ++x) {
                unsigned sum[3] = {0, 0, 0}, opaque = 0;
                for (int dy = 0; dy < scale; ++dy) {
                    const std::uint32_t* row = Row(band, y * scale + dy);
                    for (int dx = 0; dx < scale; ++dx) {
                        const std::uint32_t v = row[x * scale + dx];
                        if (v == key) continue;
                        sum[0] += (v >> 16) & 0xFF;
                        sum[1] += (v >> 8) & 0xFF;
                        sum[2] += v & 0xFF;
                        ++opaque;
                    }
                }
                unsigned char* p = rgba.data() + static_cast<std::size_t>(x) * 4;
                for (int c = 0; c < 3; ++c)
                    p[c] = static_cast<unsigned char>(opaque ? sum[c] / opaque : 0);
                p[3] = static_cast<unsigned char>(opaque * 255 / (scale * scale));
            }
            written = png.WriteRow(rgba.data());
        }
    }
    if (progress) std::fprintf(stderr, "\rrendering the world: 100 %%\n");
    band->Release();
    block->Release();
    if (!written || !png.Finish()) {
        std::remove(temporary.c_str());
        message = out + ": cannot write the file";
        return false;
    }
    std::string reason;
    if (!PublishWhole(temporary, where, reason)) {
        message = out + ": " + reason;
        return false;
    }
    return true;
}

}  // namespace level_tool
