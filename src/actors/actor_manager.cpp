#include "actors/actor_manager.h"

#include "actors/walker.h"

namespace {
constexpr std::int32_t kKindCount = 1;
}

ActorManager::ActorManager() {
    for (std::int32_t kind = 0; kind < kKindCount; ++kind)
        kinds_.push_back(std::make_unique<WalkerSpriteKind>());
    initialised_.assign(kKindCount, false);
}

bool ActorManager::Spawn(std::int32_t kind) {
    if (kind != 0) return false;
    if (!initialised_[0]) {
        initialised_[0] = true;
        kinds_[0]->CreateStrip();
    }
    live_.push_back(std::make_unique<Walker>());
    live_[static_cast<std::size_t>(liveCount_)]->OnSpawn();
    live_[static_cast<std::size_t>(liveCount_)]->BindKind(kinds_[0].get());
    ++liveCount_;
    return true;
}

bool ActorManager::UpdateAndDraw(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom, IDirectDrawSurface* target) {
    for (std::int32_t i = 0; i < liveCount_; ++i) {
        Actor& actor = *live_[static_cast<std::size_t>(i)];
        if (actor.Update(left, top, right, bottom)) actor.Draw(target);
    }
    return true;
}

bool ActorManager::Restart() {
    live_.clear();
    liveCount_ = 0;
    if (placements_.empty()) return Spawn(0);
    for (const ActorPlacement& placement : placements_) {
        if (!Spawn(placement.kind)) return false;
        live_.back()->PlaceAt(placement.x, placement.y);
    }
    return true;
}

void ActorManager::SetPlacements(std::vector<ActorPlacement> placements) {
    placements_ = std::move(placements);
}

bool ActorManager::ReloadKindBitmaps() {
    return initialised_[0] ? kinds_[0]->ReloadSheet() : true;
}

bool ActorManager::LoadKindBitmaps() {
    return initialised_[0] ? kinds_[0]->LoadSheet() : true;
}

bool ActorManager::LoadKindFrames() {
    return initialised_[0] ? kinds_[0]->LoadFrames() : true;
}

void ActorManager::CreateKindSurfaces() {
    if (initialised_[0]) kinds_[0]->CreateStrip();
}

void ActorManager::ReleaseKindSurfaces() {
    if (initialised_[0]) kinds_[0]->ReleaseStrip();
}

bool ActorManager::RestoreKinds() {
    return initialised_[0] ? kinds_[0]->RestoreStrip() : true;
}
