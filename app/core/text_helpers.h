// Small text helpers shared by the shell, the project tree and the debugger.
#pragma once

#include "platform/base/cstring.h"
#include "platform/base/windef.h"

// The part of the path behind its last "/" or "\" (a pointer into the same
// text), or the whole text when it has no separator.
const char* FileNameFromPath(const char* path);

// The path made relative to the directory when the path's folder begins
// with it (a plain, case-insensitive prefix test); else the whole path.
// A separator right behind the directory is dropped as well.
CString MakeRelativePath(const char* path, const char* directory);

// 1 when both texts are null or both equal exactly; 0 otherwise.
int SafeStrEqual(const char* a, const char* b);
