// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/AcceleratorTables.h"

#include <initializer_list>
#include <span>

#include "model/CommandIds.h"

namespace lutaris::accelerator_tables {

namespace {

// The editing rows every table has.
const Accelerator kEditing[] = {
    {ID_EDIT_UNDO, Qt::CTRL | Qt::Key_Z},
    {ID_EDIT_UNDO, Qt::ALT | Qt::Key_Backspace},
    {ID_EDIT_REDO, Qt::CTRL | Qt::Key_Y},
    {ID_EDIT_REDO, Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
    {ID_EDIT_CUT, Qt::CTRL | Qt::Key_X},
    {ID_EDIT_CUT, Qt::SHIFT | Qt::Key_Delete},
    {ID_EDIT_COPY, Qt::CTRL | Qt::Key_C},
    {ID_EDIT_COPY, Qt::CTRL | Qt::Key_Insert},
    {ID_EDIT_PASTE, Qt::CTRL | Qt::Key_V},
    {ID_EDIT_PASTE, Qt::SHIFT | Qt::Key_Insert},
    // Without it Ctrl+A would reach the caret as A, the harmonic key.
    {ID_EDIT_SELECT_ALL, Qt::CTRL | Qt::Key_A},
};

const Accelerator kStandAloneFile[] = {
    {ID_FILE_NEW, Qt::CTRL | Qt::Key_N},
    {ID_FILE_OPEN, Qt::CTRL | Qt::Key_O},
    {ID_FILE_SAVE, Qt::CTRL | Qt::Key_S},
    {ID_FILE_PRINT, Qt::CTRL | Qt::Key_P},
};

const Accelerator kEmbeddedFile[] = {
    {ID_FILE_UPDATE, Qt::CTRL | Qt::Key_S},
    {ID_FILE_PRINT, Qt::CTRL | Qt::Key_P},
};

const Accelerator kInsert[] = {
    {ID_INSERT_TAB_ITEM, Qt::CTRL | Qt::Key_T},
    {ID_INSERT_RANDOM_RIFF, Qt::CTRL | Qt::Key_R},
    {ID_INSERT_NOTE, Qt::SHIFT | Qt::Key_Left},
};

// The view is never split, but the frames' tables have the pane keys.
const Accelerator kPanes[] = {
    {ID_NEXT_PANE, QKeyCombination(Qt::Key_F6)},
    {ID_PREV_PANE, Qt::SHIFT | Qt::Key_F6},
};

const Accelerator kCancelEdit[] = {
    {ID_CANCEL_EDIT_SRVR, QKeyCombination(Qt::Key_Escape)},
};

std::vector<Accelerator> Join(std::initializer_list<std::span<const Accelerator>> parts) {
    std::vector<Accelerator> table;
    for (const std::span<const Accelerator> part : parts)
        table.insert(table.end(), part.begin(), part.end());
    return table;
}

}  // namespace

std::vector<Accelerator> StandAlone() { return Join({kStandAloneFile, kEditing, kInsert, kPanes}); }
std::vector<Accelerator> Embedded() { return Join({kEmbeddedFile, kEditing, kPanes}); }
std::vector<Accelerator> InPlace() { return Join({kEditing, kCancelEdit}); }

}  // namespace lutaris::accelerator_tables
