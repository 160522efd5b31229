#include "world/world.h"

#include <memory>

#include "actors/actor_manager.h"
#include "graphics/picture_layout.h"
#include "graphics/picture_reload.h"

World TheWorld;

namespace {

MapCell EmptyCell() {
    return MapCell{0, -1, 0};
}

}  // namespace

World::World() = default;

World::~World() = default;  // the banks and the actor manager live until the process ends

void World::CreateResources() {
    if (tileBank_ != nullptr) return;
    tileBank_ = new TileBank(kTileSlotCount, kTileSize, kTileSize);
    backgroundBank_ = new TileBank(1, kBackgroundWidth, kBackgroundHeight);
    blockBank_ = new TileBank(8, kBlockSize, kBlockSize);
    actorManager_ = new ActorManager;
}

void World::ResetForTests() {
    delete tileBank_;
    delete backgroundBank_;
    delete blockBank_;
    delete actorManager_;
    tileBank_ = backgroundBank_ = blockBank_ = nullptr;
    actorManager_ = nullptr;
    tileGrid_ = TileGrid{};
    blockGrid_ = TileGrid{};
    for (Bitmap* picture : {&tilePicture_, &backgroundPicture_, &blockPicture_}) {
        Bitmap none;
        picture->Swap(none);
    }
}

std::int32_t World::LoadTileLevel(const char* fileName) {
    ReadLevelFile(fileName, tileGrid_);  // raises LevelError; never 0
    return actorManager_->Spawn(0) ? 0 : -10;
}

std::int32_t World::LoadBlockLevel(const char* fileName) {
    return ReadLevelFile(fileName, blockGrid_);
}

std::int32_t World::ReloadTileLevel(const char* fileName) {
    const auto grid = std::make_unique<TileGrid>();
    ReadLevelFile(fileName, *grid);
    tileGrid_ = *grid;
    return actorManager_->Restart() ? 0 : -10;
}

void World::ReloadBlockLevel(const char* fileName) {
    const auto grid = std::make_unique<TileGrid>();
    ReadLevelFile(fileName, *grid);
    blockGrid_ = *grid;
}

std::int32_t World::ReloadBitmaps() {
    return ReloadPictures({&tilePicture_, &backgroundPicture_, &blockPicture_},
                          [this] { return LoadOwnBitmaps() && actorManager_->ReloadKindBitmaps(); })
               ? 1
               : 0;
}

std::int32_t World::LoadBitmaps() {
    if (!LoadOwnBitmaps()) return 0;
    return actorManager_->LoadKindBitmaps() ? 1 : 0;
}

bool World::LoadOwnBitmaps() {
    // All three are attempted, and each must cover its layout.
    const std::int32_t tiles = tilePicture_.Load(kTilePictureFile) &&
                               CheckPictureCovers(tilePicture_, kTilePictureFile, kTileSheet);
    const std::int32_t background =
        backgroundPicture_.Load(kBackgroundPictureFile) &&
        CheckPictureCovers(backgroundPicture_, kBackgroundPictureFile, kBackgroundPicture);
    const std::int32_t blocks = blockPicture_.Load(kBlockPictureFile) &&
                                CheckPictureCovers(blockPicture_, kBlockPictureFile, kBlockSheet);
    return tiles && background && blocks;
}

std::int32_t World::LoadSurfaces() {
    bool tilesLoaded = true;
    const std::int32_t rows = kTileSheet.rows;
    for (std::int32_t k = 0; k < kTileSheet.columns && tilesLoaded; ++k)
        for (std::int32_t r = 0; r < rows && tilesLoaded; ++r)
            tilesLoaded = tileBank_->LoadTile(k * rows + r, tilePicture_, 0, kTileSheet.X(k),
                                              kTileSheet.Y(r), true, 1) != 0;
    bool blocksLoaded = tilesLoaded;
    for (std::int32_t b = 0; b < kBlockSheet.columns && blocksLoaded; ++b)
        blocksLoaded = blockBank_->LoadTile(b, blockPicture_, 0, kBlockSheet.X(b), kBlockSheet.Y(0),
                                            false, 1) != 0;
    backgroundBank_->LoadTile(0, backgroundPicture_, 0, 0, 0, false, 1);
    const bool frames = actorManager_->LoadKindFrames();
    return (tilesLoaded && blocksLoaded && frames) ? 1 : 0;
}

void World::CreateSurfaces() {
    tileBank_->CreateSurfaces();
    backgroundBank_->CreateSurfaces();
    blockBank_->CreateSurfaces();
    actorManager_->CreateKindSurfaces();
}

void World::ReleaseSurfaces() {
    if (tileBank_ == nullptr) return;
    tileBank_->Release();
    backgroundBank_->Release();
    blockBank_->Release();
    actorManager_->ReleaseKindSurfaces();
}

std::int32_t World::Restore() {
    const std::int32_t tiles = tileBank_->Restore();
    const std::int32_t background = backgroundBank_->Restore();
    const std::int32_t blocks = blockBank_->Restore();
    const bool kinds = actorManager_->RestoreKinds();
    const std::int32_t surfaces = LoadSurfaces();
    return (tiles && background && blocks && kinds && surfaces) ? 1 : 0;
}

MapCell World::CellAt(std::int32_t x, std::int32_t y) const {
    return GridCellAt(x, y, kTileSize, kTileSize);
}

MapCell World::GridCellAt(std::int32_t x, std::int32_t y, std::int32_t cellWidth,
                          std::int32_t cellHeight) const {
    if (x < 0 || y < 0 || cellWidth <= 0 || cellHeight <= 0) return EmptyCell();
    const std::int32_t column = x / cellWidth, row = y / cellHeight;
    if (column >= kGridSide || row >= kGridSide) return EmptyCell();
    if (cellWidth == kBlockSize) return blockGrid_.At(column, row);
    const MapCell& cell = tileGrid_.At(column, row);
    // The tile bank has no slot (and no mask) for indices of 64 and above.
    return cell.tileIndex >= kTileSlotCount ? EmptyCell() : cell;
}

CellPosition World::CellOffset(std::int32_t x, std::int32_t y) const {
    return {x % kTileSize, y % kTileSize};
}
