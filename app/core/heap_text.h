// Owning holder of a malloc'ed C string, for the texts ReadKeyValueLine
// hands out.
#pragma once

#include <cstdlib>
#include <memory>

struct FreeHeapText {
  void operator()(char* text) const { free(text); }
};

using HeapText = std::unique_ptr<char, FreeHeapText>;
