#include "debugger/debug_message.h"

#include <cstdio>

int DebugMessageBox(const char* text, const char* caption, unsigned type)
{
    std::fprintf(stderr, "[%s] %s\n", caption, text);
    return 1;
}
