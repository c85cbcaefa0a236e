// Whole files read into memory.
#pragma once

#include <string>

// The whole content of a file; false when it cannot be opened or read.
bool ReadFileBytes(const char* path, std::string& bytes);
