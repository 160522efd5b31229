#include "actors/actor_manager.h"

#include "actors/goal.h"
#include "actors/sprite_constants.h"
#include "actors/walker.h"
#include "graphics/picture_reload.h"

namespace {
constexpr std::int32_t kKindCount = 3;
}

ActorManager::ActorManager() {
    kinds_.push_back(std::make_unique<WalkerSpriteKind>());
    kinds_.push_back(std::make_unique<SheetSpriteKind>(kPlayerSheetFile, kPlayerSheet));
    kinds_.push_back(std::make_unique<SheetSpriteKind>(kGoalPictureFile, kGoalPicture));
    initialised_.assign(kKindCount, false);
}

bool ActorManager::Spawn(std::int32_t kind) {
    if (kind < 0 || kind >= kKindCount) return false;
    const auto k = static_cast<std::size_t>(kind);
    if (!initialised_[k]) {
        initialised_[k] = true;
        kinds_[k]->CreateStrip();
    }
    if (kind == kPlayerKind) {
        auto player = std::make_unique<Player>();
        player_ = player.get();
        live_.push_back(std::move(player));
    } else if (kind == kGoalKind) {
        live_.push_back(std::make_unique<Goal>());
    } else {
        live_.push_back(std::make_unique<Walker>());
    }
    live_[static_cast<std::size_t>(liveCount_)]->OnSpawn();
    live_[static_cast<std::size_t>(liveCount_)]->BindKind(kinds_[k].get());
    ++liveCount_;
    return true;
}

bool ActorManager::UpdateAndDraw(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom, IDirectDrawSurface* target) {
    for (std::int32_t i = 0; i < liveCount_; ++i) {
        Actor& actor = *live_[static_cast<std::size_t>(i)];
        bool inView = actor.Update(left, top, right, bottom);
        if (&actor == player_) {
            Touch();
            inView = actor.UpdateScreenPosition(left, top, right, bottom);
        }
        if (inView) actor.Draw(target);
    }
    return true;
}

void ActorManager::Touch() {
    const ActorBody body = player_->Body();
    for (std::int32_t i = 0; i < liveCount_; ++i) {
        const Actor& other = *live_[static_cast<std::size_t>(i)];
        if (&other == player_ || !other.Body().Overlaps(body)) continue;
        if (other.Kind() == kinds_[kGoalKind].get()) {
            player_->ReachGoal();
            return;
        }
        if (other.Kind() == kinds_[kWalkerKind].get() && !player_->Blinking()) {
            player_->Respawn();
            return;
        }
    }
}

bool ActorManager::Restart() {
    const std::vector<bool> before = initialised_;
    live_.clear();
    liveCount_ = 0;
    player_ = nullptr;
    bool walkers = false;
    for (const std::int32_t kind : {kGoalKind, kWalkerKind, kPlayerKind}) {
        for (const ActorPlacement& placement : placements_) {
            if (placement.kind != kind) continue;
            if (!Spawn(kind)) return false;
            live_.back()->PlaceAt(placement.x, placement.y);
            walkers = walkers || kind == kWalkerKind;
        }
        // No walker placed: the level keeps its one walker at its own start.
        if (kind == kWalkerKind && !walkers && !Spawn(kWalkerKind)) return false;
    }
    if (player_ != nullptr)
        player_->StartAt(playerStartGiven_ ? playerStartX_ : player_->X(),
                         playerStartGiven_ ? playerStartY_ : player_->Y());
    // A kind that a saved actors file brings after the pictures were cut loads its own now.
    for (std::size_t k = 0; k < kinds_.size(); ++k) {
        if (before[k] || !initialised_[k] || !framesLoaded_) continue;
        if (!kinds_[k]->LoadSheet() || !kinds_[k]->LoadFrames()) return false;
    }
    return true;
}

void ActorManager::SetPlayerStart(std::int32_t x, std::int32_t y) {
    playerStartGiven_ = true;
    playerStartX_ = x;
    playerStartY_ = y;
    if (player_ != nullptr) player_->StartAt(x, y);
}

void ActorManager::SetControls(const PlayerControls& controls) {
    if (player_ != nullptr) player_->SetControls(controls);
}

void ActorManager::SetPlacements(std::vector<ActorPlacement> placements) {
    placements_ = std::move(placements);
}

// The kind operations below act on the kinds spawned so far.
bool ActorManager::ReloadKindBitmaps() {
    std::vector<Bitmap*> sheets;
    for (std::size_t k = 0; k < kinds_.size(); ++k)
        if (initialised_[k]) sheets.push_back(&kinds_[k]->Sheet());
    return ReloadPictures(sheets, [this] { return LoadKindBitmaps(); });
}

bool ActorManager::LoadKindBitmaps() {
    bool ok = true;
    for (std::size_t k = 0; k < kinds_.size(); ++k)
        if (initialised_[k]) ok = kinds_[k]->LoadSheet() && ok;
    return ok;
}

bool ActorManager::LoadKindFrames() {
    framesLoaded_ = true;
    for (std::size_t k = 0; k < kinds_.size(); ++k)
        if (initialised_[k] && !kinds_[k]->LoadFrames()) return false;
    return true;
}

void ActorManager::CreateKindSurfaces() {
    for (std::size_t k = 0; k < kinds_.size(); ++k)
        if (initialised_[k]) kinds_[k]->CreateStrip();
}

void ActorManager::ReleaseKindSurfaces() {
    for (std::size_t k = 0; k < kinds_.size(); ++k)
        if (initialised_[k]) kinds_[k]->ReleaseStrip();
}

bool ActorManager::RestoreKinds() {
    for (std::size_t k = 0; k < kinds_.size(); ++k)
        if (initialised_[k] && !kinds_[k]->RestoreStrip()) return false;
    return true;
}
