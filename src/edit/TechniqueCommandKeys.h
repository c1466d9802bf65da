#pragma once

#include <cstdint>
#include <optional>

namespace lutaris {

// The key code that a technique menu command (Mute … Optional) sends to the caret, exactly as
// if the key had been pressed in the view; nothing for any other command id.
std::optional<std::int32_t> TechniqueKeyForCommand(std::int32_t commandId);

}  // namespace lutaris
