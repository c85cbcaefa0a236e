// Which debugger a target executable needs: a host program (ELF) goes to
// gdb, anything else (the boards' MZ programs) to a board session.
#pragma once

#include <cstddef>
#include <cstdint>

enum class ExecutableKind { kHostElf, kBoard };

// From the file's first bytes ("\x7f" "ELF" for a host program).
ExecutableKind ExecutableKindOf(const uint8_t* head, size_t length);
// From the file; a file that cannot be read counts as a board program.
ExecutableKind ExecutableKindOfFile(const char* path);
