// The board driver libraries bound on first call, as the program binds
// them: a function is looked up by name in "rizo32.dll" or "dovi32.dll"
// when it is first called. A call into a library that is not there does
// nothing and gives a zero result.
#pragma once

#include <string>
#include <type_traits>
#include <utility>

#include "platform/base/windef.h"

enum class DriverLibrary { Rizo, Dovi };

// "rizo32.dll" and "dovi32.dll"; tests may name another file to see how
// the program copes with a missing library.
const char* DriverLibraryName(DriverLibrary lib);
void SetDriverLibraryName(DriverLibrary lib, const char* name);
// Loads the library by name as a presence test (the library stays loaded).
bool DriverLibraryPresent(DriverLibrary lib);
// The exported function, or NULL.
void* DriverProc(DriverLibrary lib, const char* name);

template <class F, class... A>
auto CallDriver(DriverLibrary lib, const char* name, A&&... args) {
  using R = decltype(std::declval<F>()(std::forward<A>(args)...));
  F f = reinterpret_cast<F>(DriverProc(lib, name));
  if constexpr (std::is_void_v<R>) {
    if (f) f(std::forward<A>(args)...);
  } else {
    return f ? f(std::forward<A>(args)...) : R{};
  }
}

#define RIZO(fn, ...) CallDriver<decltype(&::fn)>(DriverLibrary::Rizo, #fn, ##__VA_ARGS__)
#define DOVI(fn, ...) CallDriver<decltype(&::fn)>(DriverLibrary::Dovi, #fn, ##__VA_ARGS__)
