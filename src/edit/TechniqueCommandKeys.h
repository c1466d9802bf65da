// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <optional>

namespace lutaris {

// The key code that a technique menu command (Mute … Optional) sends to the caret, exactly as
// if the key had been pressed in the view; nothing for any other command id.
std::optional<std::int32_t> TechniqueKeyForCommand(std::int32_t commandId);

// The keys whose notes one cell's typing joins into one step.
bool IsFretDigitKey(std::int32_t virtualKey);
// What Undo calls the step a key makes: the technique's command, Delete, or typing.
std::int32_t StepKindForKey(std::int32_t virtualKey);

}  // namespace lutaris
