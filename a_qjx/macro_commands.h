// The macro commands the boards' firmware knows, by board type, and the
// keys the macro field takes.
#pragma once
#include <vector>

#include "platform/base/windef.h"

// The list entries for a board type: the two code bytes as hex, a tab and
// the description ("00 20\tBoard ready?"); none for other types.
std::vector<const char*> MacroCommandEntries(WORD boardType);

// True for the keys (virtual-key codes) the macro field takes: editing
// and caret keys, the digits and the letters A to F.
bool MacroFieldTakesKey(WPARAM key);
