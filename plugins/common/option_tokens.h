// Finding switches in an option string: a switch as a whole token, a
// switch with a value glued to it, a switch joined to its value by "=".
// Matching is case-sensitive; a switch counts only where it starts a word
// (at the start of the text or after a blank).
#pragma once

#include <cstdint>

// The first place where `option` stands followed by a blank or the end.
const char* FindOptionToken(const char* options, const char* option);
// The first value glued to `option` (not followed by blank, "=" or the
// end); its length (up to the next blank) goes to `length`.
const char* FindOptionValue(const char* options, const char* option, uint16_t* length);
// The first value after `option` and "="; its length goes to `length`.
const char* FindOptionAssignedValue(const char* options, const char* option, uint16_t* length);
