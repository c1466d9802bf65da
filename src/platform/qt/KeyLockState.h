#pragma once

#include <optional>

namespace lutaris {

struct KeyLocks {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
    bool operator==(const KeyLocks&) const = default;
};

// The keyboard's lock indicators as the display server sees them; nothing where the platform
// cannot tell (Qt itself has no way to ask).
std::optional<KeyLocks> QueryKeyLocks();

}  // namespace lutaris
