// Binary blocks as text in a persistent setting tree: two capital letters
// per byte, "A" + low nibble then "A" + high nibble (0x00 0x1F 0xA5 is
// AAPBFK).
#pragma once

#include <string>

#include "platform/base/afxcoll.h"
#include "platform/base/windef.h"

namespace ptn {

std::string BinaryToText(const BYTE* data, UINT count);

// Two characters per byte, each taken as its distance from "A" (modulo
// 256); a final unpaired character is ignored.
void TextToBinary(const std::string& text, CByteArray& data);

}  // namespace ptn
