// Small helpers for the edit buffer's tests.
#pragma once

#include <string>
#include <vector>

#include "editor/editbuffer.h"

namespace edit_test {

// Replaces the buffer's lines with those of `text` (line ends as given are
// turned into the buffer's own).
void SetText(EditBuffer& buffer, const std::string& text);

// The buffer's bytes, all lines in order.
std::string Text(EditBuffer& buffer);

// Each line's bytes.
std::vector<std::string> Lines(EditBuffer& buffer);

// The position of byte `offset` of line n (1-based).
EditPos At(EditBuffer& buffer, int n, int offset);

}  // namespace edit_test
