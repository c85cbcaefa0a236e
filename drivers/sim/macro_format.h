// The macro-command format byte: the low nibble gives the data bytes sent,
// the high nibble the answer length.
#pragma once
#include <cstdint>

namespace sim {

// Number of data bytes that follow the command (lengthWord for 13 and 15).
uint32_t MacroDataLength(uint8_t format, uint16_t lengthWord);
// Answer length, or -1 for a format whose high nibble is not allowed.
long MacroAnswerLength(uint8_t format, uint16_t countWord);

}  // namespace sim
