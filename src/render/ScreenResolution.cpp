// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "render/ScreenResolution.h"

namespace lutaris {
namespace {

ScreenResolution& Current() {
    static ScreenResolution resolution;
    return resolution;
}

}  // namespace

ScreenResolution GetScreenResolution() { return Current(); }

void SetScreenResolution(ScreenResolution resolution) {
    if (resolution.dpiX > 0) Current().dpiX = resolution.dpiX;
    if (resolution.dpiY > 0) Current().dpiY = resolution.dpiY;
}

}  // namespace lutaris
