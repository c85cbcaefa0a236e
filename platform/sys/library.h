// Shared libraries by their Windows names. LoadLibrary("x.dll") (or "x")
// loads "libx.so" from the program's folder, then through the normal search
// path; a name with a folder is looked for in that folder only. Names
// are tried as given, then in lower case ("YTN1.DLL" finds libytn1.so). A name
// ending in ".so" is used as it is.
#pragma once

#include <string>
#include <vector>

#include "platform/base/windef.h"
#include "platform/base/winerror.h"

typedef INT_PTR (*FARPROC)();

// Failure: NULL with ERROR_MOD_NOT_FOUND.
HMODULE LoadLibrary(LPCSTR lpLibFileName);
// Exported C names; failure: NULL with ERROR_PROC_NOT_FOUND.
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
BOOL FreeLibrary(HMODULE hLibModule);
// NULL: the program itself; else a library already loaded, by the same
// names as LoadLibrary (ERROR_MOD_NOT_FOUND when it is not loaded).
HMODULE GetModuleHandle(LPCSTR lpModuleName);
// (GetModuleFileName is declared in file.h.)

namespace plat {

// The files LoadLibrary tries for a name, in order.
std::vector<std::string> LibraryCandidates(const std::string& name);
// The loader's text for the last failed LoadLibrary of this thread.
std::string LastLibraryError();

}  // namespace plat
