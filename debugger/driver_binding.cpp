#include "debugger/driver_binding.h"

#include <map>
#include <mutex>

#include "platform/sys/library.h"

namespace {

struct Binding {
  std::string name;
  HMODULE module = nullptr;
  std::map<std::string, void*> procs;
};

std::mutex g_mutex;
Binding g_bindings[2] = {{"rizo32.dll"}, {"dovi32.dll"}};

Binding& Of(DriverLibrary lib) { return g_bindings[lib == DriverLibrary::Rizo ? 0 : 1]; }

bool Load(Binding& b) {
  if (!b.module) b.module = LoadLibrary(b.name.c_str());
  return b.module != nullptr;
}

}  // namespace

const char* DriverLibraryName(DriverLibrary lib) {
  std::lock_guard<std::mutex> lock(g_mutex);
  return Of(lib).name.c_str();
}

void SetDriverLibraryName(DriverLibrary lib, const char* name) {
  std::lock_guard<std::mutex> lock(g_mutex);
  Binding& b = Of(lib);
  b.name = name;
  b.module = nullptr;  // a loaded library stays loaded; the next call looks again
  b.procs.clear();
}

bool DriverLibraryPresent(DriverLibrary lib) {
  std::lock_guard<std::mutex> lock(g_mutex);
  return Load(Of(lib));
}

void* DriverProc(DriverLibrary lib, const char* name) {
  std::lock_guard<std::mutex> lock(g_mutex);
  Binding& b = Of(lib);
  auto it = b.procs.find(name);
  if (it != b.procs.end()) return it->second;
  if (!Load(b)) return nullptr;
  void* proc = reinterpret_cast<void*>(GetProcAddress(b.module, name));
  b.procs[name] = proc;
  return proc;
}
