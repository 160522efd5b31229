// The clipper: reference counted, counted live for the tests' leak checks.
#include "platform/display/ddraw.h"
#include "platform/seams/seam_state.h"

IDirectDrawClipper::~IDirectDrawClipper() {
    platform_internal::CountLive(&platform_internal::SeamState::liveClippers, -1);
}

HRESULT IDirectDrawClipper::SetHWnd(DWORD, HWND window) {
    window_ = window;
    return DD_OK;
}

ULONG IDirectDrawClipper::AddRef() {
    return ++refs_;
}

ULONG IDirectDrawClipper::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}
