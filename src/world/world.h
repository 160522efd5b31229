// The level: two grids read from the level files, three pictures with the banks that draw
// them, and the actor manager. One global instance, TheWorld; the shell drives its resource
// life cycle, the frame tick draws it, the walker asks it about solid pixels.
#pragma once

#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/tile_bank.h"
#include "platform/display/ddraw.h"
#include "world/map_types.h"

class ActorManager;

constexpr std::int32_t kTileSize = kTileSheet.cellWidth;
constexpr std::int32_t kBlockSize = kBlockSheet.cellWidth;
constexpr std::int32_t kTileSlotCount = kTileSheet.columns * kTileSheet.rows;
constexpr std::int32_t kBackgroundWidth = kBackgroundPicture.cellWidth;
constexpr std::int32_t kBackgroundHeight = kBackgroundPicture.cellHeight;

class World {
  public:
    World();
    virtual ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // ---- Model and level files ----
    // Creates the tile, background and block banks and the actor manager (once).
    void CreateResources();
    // 0 success, -10 the first walker could not be spawned; a file that cannot be read raises
    // LevelError. (-6, the result its design gives an unreadable file, cannot happen here: the
    // reader raises the error instead of returning 0.)
    [[nodiscard]] std::int32_t LoadTileLevel(const char* fileName);
    [[nodiscard]] std::int32_t LoadBlockLevel(const char* fileName);
    // A saved level read again (vorn7 --watch): the grid is replaced only when the whole file
    // reads, and the actors start again as after a fresh start. Raises LevelError otherwise,
    // leaving the grid and the actors as they were. 0 success, -10 the walker was not spawned.
    [[nodiscard]] std::int32_t ReloadTileLevel(const char* fileName);
    void ReloadBlockLevel(const char* fileName);
    // Reads one level file into one grid; raises LevelError for a missing or short file. Uses no
    // World's state: the level tool reads with it too.
    static std::int32_t ReadLevelFile(const char* fileName, TileGrid& grid);
    // ---- Pictures and surfaces (the shell calls these; see docs/ARCHITECTURE.md) ----
    // Loads the three pictures and the sprite sheets; 0 when any is missing, damaged or too
    // small for its layout (every one is tried, each failure recorded), else 1.
    [[nodiscard]] std::int32_t LoadBitmaps();
    // The pictures read again (a saved picture): all are replaced only when all load and fit
    // their layouts, else those held stay; 0 then (the reason noted in load_failure). The
    // surfaces are refilled afterwards by the shell, as after a mode switch.
    [[nodiscard]] std::int32_t ReloadBitmaps();
    // Copies the pictures into the banks' surfaces in the current mode; 0 when a copy fails.
    [[nodiscard]] std::int32_t LoadSurfaces();
    // Creates every bank's and sprite kind's surfaces for the current display mode.
    void CreateSurfaces();
    // Releases them (before a mode switch and at shutdown); safe before CreateResources.
    void ReleaseSurfaces();
    // After lost surfaces: restores every surface and refills it; 0 when any step fails.
    [[nodiscard]] std::int32_t Restore();
    // The tile grid's cell holding world pixel (x, y); empty outside the world and for tile
    // indices the bank has no slot for.
    MapCell CellAt(std::int32_t x, std::int32_t y) const;
    // The same for a grid of cellWidth x cellHeight cells (the block grid for 128 x 128).
    MapCell GridCellAt(std::int32_t x, std::int32_t y, std::int32_t cellWidth,
                       std::int32_t cellHeight) const;
    // World pixel (x, y) within its 32 x 32 tile.
    CellPosition CellOffset(std::int32_t x, std::int32_t y) const;

    // ---- Collision queries ----
    // 1 when the tile over world pixel (x, y) is solid there; 0 outside the world.
    std::uint8_t SolidPixelAt(std::int32_t x, std::int32_t y) const;
    // The first solid pixel in the rectangle centred on (x, y) with half-sizes rx and ry,
    // clipped to the world: rows from the top, each left to right; or columns from the right
    // (leftward) or the left (rightward), each top to bottom. Not found for negative sizes.
    ScanHit ScanRows(std::int32_t x, std::int32_t y, std::int32_t rx, std::int32_t ry) const;
    ScanHit ScanColumnsLeftward(std::int32_t x, std::int32_t y, std::int32_t rx,
                                std::int32_t ry) const;
    ScanHit ScanColumnsRightward(std::int32_t x, std::int32_t y, std::int32_t rx,
                                 std::int32_t ry) const;

    // ---- Rendering ----
    // Draws the view centred on (centreX, centreY), clamped, into surface: background, tile
    // layer with the actors (updated here), block layer. Called once a frame by the frame tick;
    // returns 1 (the layers' copy failures are not reported).
    std::int32_t Draw(std::int32_t centreX, std::int32_t centreY, IDirectDrawSurface* surface);
    // The centre moved inside the world so that the view fits the current display mode.
    CellPosition ClampViewCentre(std::int32_t x, std::int32_t y) const;
    // The three layers for a clamped centre. Each returns 1: DrawTileLayer passes on
    // ActorManager::UpdateAndDraw's result, which is always true.
    std::int32_t DrawBackground(std::int32_t x, std::int32_t y, IDirectDrawSurface* surface);
    std::int32_t DrawTileLayer(std::int32_t x, std::int32_t y, IDirectDrawSurface* surface);
    std::int32_t DrawBlockLayer(std::int32_t x, std::int32_t y, IDirectDrawSurface* surface);
    // The layers' geometry for a clamped centre in the current display mode: the background's
    // offset into its picture, the tile layer's world rectangle (right and bottom extended as
    // the actors receive it) and the block layer's rectangle in block-grid pixels.
    CellPosition BackgroundOffset(std::int32_t x, std::int32_t y) const;
    ViewRectangle TileLayerView(std::int32_t x, std::int32_t y) const;
    ViewRectangle BlockLayerView(std::int32_t x, std::int32_t y) const;

    // ---- Access for the shell's diagnostics and for tests ----
    TileBank* TileBankPtr() const { return tileBank_; }
    TileBank* BlockBankPtr() const { return blockBank_; }
    ActorManager* Actors() const { return actorManager_; }
    // The tests' fresh start (tests/support/fresh_globals): no banks and no actor manager, as
    // before CreateResources (their surfaces were released when their window went), empty
    // grids and no pictures.
    void ResetForTests();
    const TileGrid& TileGridRef() const { return tileGrid_; }
    TileGrid& TileGridMutable() { return tileGrid_; }
    TileGrid& BlockGridMutable() { return blockGrid_; }
    Bitmap& TilePicture() { return tilePicture_; }

  private:
    // The World's own three pictures, each tried; false when any fails.
    bool LoadOwnBitmaps();

    Bitmap backgroundPicture_;
    Bitmap tilePicture_;
    Bitmap blockPicture_;
    TileBank* backgroundBank_ = nullptr;
    TileBank* tileBank_ = nullptr;
    TileBank* blockBank_ = nullptr;
    ActorManager* actorManager_ = nullptr;
    TileGrid tileGrid_{};
    TileGrid blockGrid_{};
    std::int32_t worldWidth_ = kWorldSize;
    std::int32_t worldHeight_ = kWorldSize;
};

extern World TheWorld;
