// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

namespace lutaris {

// Takes the primary screen's logical resolution as the screen resolution that printouts and
// the embedded presentation are sized against. Called once at start-up, after the GUI
// application object exists; without a screen the resolution stays at 96 dots per inch.
void SetScreenResolutionFromPrimaryScreen();

}  // namespace lutaris
