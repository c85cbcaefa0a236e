// Case-insensitive comparison of byte texts (Windows-1252 letters).
#pragma once

// True when both texts are equal ignoring letter case.
bool EqualNoCase(const char* a, const char* b);
// The file name part of a path: behind its last "\" or "/".
const char* BaseNameOf(const char* path);
