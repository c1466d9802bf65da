// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QKeyCombination>
#include <cstdint>
#include <vector>

namespace lutaris {

// The frames' accelerator tables as data, beside the menu tables: each row a command and one
// key combination that runs it (a command may have several rows).
namespace accelerator_tables {

struct Accelerator {
    std::int32_t id;
    QKeyCombination keys;
};

// Table 128, the stand-alone frame's. The typed capital I of Add Tab Item is a character, not
// a key combination: the frame and the view recognise it by the text a key event carries.
std::vector<Accelerator> StandAlone();
// Table 5, an object opened from a container in a window of its own: no New, Open or insert
// keys, and Ctrl+S updates the container.
std::vector<Accelerator> Embedded();
// Table 4, an object edited in place: the editing keys and Esc, which ends editing.
std::vector<Accelerator> InPlace();

}  // namespace accelerator_tables
}  // namespace lutaris
