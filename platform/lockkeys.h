#pragma once

#include <optional>

namespace nimbara {

// The states of the three lock keys as the keyboard reports them.
struct LockKeyStates {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

// Reads the lock-key indicators from the X keyboard extension. nullopt where there is no X
// display (offscreen, Wayland without X); the panes then show the keys as off.
std::optional<LockKeyStates> readLockKeyStates();

}  // namespace nimbara
