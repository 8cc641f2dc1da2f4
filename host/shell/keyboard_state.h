// The lock keys' states for the status bar, as far as the platform can
// tell them: on X11 from the keyboard extension's indicators; elsewhere
// (and for a key the keyboard has no indicator for) nothing.
#pragma once

#include <optional>

namespace quenby::shell {

struct KeyStates {
    std::optional<bool> caps;
    std::optional<bool> num;
    std::optional<bool> kana;
};

KeyStates ReadKeyStates();

}  // namespace quenby::shell
