// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

namespace lutaris {

// Which commands a main frame offers: menu 128 and accelerator table 128 of a stand-alone run,
// or menu 5 and accelerator table 5 of an object that a container opened in a window of its
// own (no New, Open, Save, Import, Export, Copy as Text or insert commands, but Update and
// Save Copy As).
enum class FrameKind { StandAlone, Embedded };

}  // namespace lutaris
