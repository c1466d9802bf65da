// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/TechniqueCommandKeys.h"

#include <array>
#include <utility>

#include "model/CommandIds.h"
#include "model/DocumentHistory.h"
#include "platform/keys/VirtualKeyCodes.h"

namespace lutaris {
namespace {

constexpr std::array<std::pair<std::int32_t, std::int32_t>, 12> kTechniqueKeys{{
    {ID_ACTION_MUTE, vk::X},
    {ID_ACTION_BEND_UP, vk::B},
    {ID_ACTION_BEND_RELEASE, vk::R},
    {ID_ACTION_SLIDE_UP, vk::Oem2},
    {ID_ACTION_SLIDE_DOWN, vk::Oem5},
    {ID_ACTION_VIBRATO, vk::Oem3},
    {ID_ACTION_HAMMER_ON, vk::H},
    {ID_ACTION_PULL_OFF, vk::P},
    {ID_ACTION_TAP, vk::T},
    {ID_ACTION_HARMONIC, vk::A},
    {ID_ACTION_CLEAR, vk::Z},
    {ID_ACTION_OPTIONAL, vk::O},
}};

}  // namespace

std::optional<std::int32_t> TechniqueKeyForCommand(std::int32_t commandId) {
    for (const auto& [command, key] : kTechniqueKeys) {
        if (command == commandId) return key;
    }
    return std::nullopt;
}

bool IsFretDigitKey(std::int32_t virtualKey) {
    return virtualKey >= vk::Digit0 && virtualKey <= vk::Digit9;
}

std::int32_t StepKindForKey(std::int32_t virtualKey) {
    for (const auto& [command, key] : kTechniqueKeys) {
        if (key == virtualKey) return command;
    }
    if (virtualKey == vk::Delete || virtualKey == vk::Back) return history::step_kind::kDelete;
    return history::step_kind::kTyping;
}

}  // namespace lutaris
