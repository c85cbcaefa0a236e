#include "platform/sys/library.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>

#include "platform/sys/file.h"
#include "platform/sys/path.h"

namespace {

thread_local std::string t_lastError;

bool EndsWithNoCase(const std::string& s, const char* suffix) {
  size_t n = std::strlen(suffix);
  if (s.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(s[s.size() - n + i])) != suffix[i]) return false;
  return true;
}

HMODULE Open(const std::string& name, int flags) {
  for (const std::string& candidate : plat::LibraryCandidates(name)) {
    if (void* h = dlopen(candidate.c_str(), flags)) return static_cast<HMODULE>(h);
    const char* e = dlerror();
    if (e && t_lastError.empty()) t_lastError = e;
  }
  return nullptr;
}

}  // namespace

namespace plat {

std::vector<std::string> LibraryCandidates(const std::string& given) {
  std::string name = NormalizeSeparators(given);
  std::string dir = DirectoryPart(name);
  std::string base = FileNamePart(name);
  if (EndsWithNoCase(base, ".dll")) base.resize(base.size() - 4);
  std::vector<std::string> files;
  if (EndsWithNoCase(base, ".so") || base.find(".so.") != std::string::npos) {
    files.push_back(base);
  } else {
    // Windows names are without letter case ("YTN1.DLL"): the name as
    // given first, then in lower case.
    std::string lower = base;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& b :
         lower == base ? std::vector<std::string>{base} : std::vector<std::string>{base, lower}) {
      if (b.compare(0, 3, "lib") != 0) files.push_back("lib" + b + ".so");
      files.push_back(b + ".so");
    }
  }
  std::vector<std::string> out;
  if (!dir.empty()) {
    for (const auto& f : files) out.push_back(JoinPath(dir, f));
    return out;
  }
  std::string programDir = ProgramDir();
  for (const auto& f : files) out.push_back(JoinPath(programDir, f));
  for (const auto& f : files) out.push_back(f);  // the loader's own search
  return out;
}

std::string LastLibraryError() { return t_lastError; }

}  // namespace plat

HMODULE LoadLibrary(LPCSTR name) {
  t_lastError.clear();
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HMODULE h = Open(name, RTLD_NOW | RTLD_LOCAL);
  SetLastError(h ? ERROR_SUCCESS : ERROR_MOD_NOT_FOUND);
  return h;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
  if (!module || !procName) {
    SetLastError(module ? ERROR_PROC_NOT_FOUND : ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // Ordinals (values below 64 K) do not exist here.
  if (reinterpret_cast<uintptr_t>(procName) < 0x10000) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  dlerror();
  void* sym = dlsym(module, procName);
  if (!sym) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(sym);
}

BOOL FreeLibrary(HMODULE module) {
  if (!module || dlclose(module) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

HMODULE GetModuleHandle(LPCSTR name) {
  if (!name) {
    static void* self = dlopen(nullptr, RTLD_NOW);
    return static_cast<HMODULE>(self);
  }
  HMODULE h = Open(name, RTLD_NOW | RTLD_NOLOAD);
  if (!h) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  dlclose(h);  // RTLD_NOLOAD counted a reference; the handle stays valid
  return h;
}

DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size) {
  std::string path;
  if (!module || module == GetModuleHandle(nullptr)) {
    path = plat::ProgramPath();
  } else {
    link_map* map = nullptr;
    if (dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name) {
      SetLastError(ERROR_INVALID_HANDLE);
      return 0;
    }
    path = map->l_name;
  }
  if (!buffer || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  // Windows truncates and reports ERROR_INSUFFICIENT_BUFFER.
  if (path.size() >= size) {
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(path.size());
}
