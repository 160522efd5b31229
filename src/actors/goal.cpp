#include "actors/goal.h"

#include "actors/sprite_kind.h"

void Goal::Draw(IDirectDrawSurface* target) {
    if (kind_ != nullptr) kind_->DrawFrame(screenX_, screenY_, target, 0, 0, 0, 0);
}
