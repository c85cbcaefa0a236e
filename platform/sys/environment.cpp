#include "platform/sys/environment.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>

#include "platform/base/winerror.h"
#include "platform/sys/equal_no_case.h"

extern char** environ;

namespace {

// setenv and getenv are not safe against each other: one lock for both.
std::mutex& EnvMutex() {
  static std::mutex m;
  return m;
}

// Windows names are without letter case: an exact match first, then any.
std::optional<std::string> Lookup(const std::string& name) {
  if (const char* v = std::getenv(name.c_str())) return std::string(v);
  for (char** e = environ; e && *e; ++e) {
    const char* eq = std::strchr(*e, '=');
    if (eq && plat::EqualNoCase(std::string_view(*e, static_cast<size_t>(eq - *e)), name))
      return std::string(eq + 1);
  }
  return std::nullopt;
}

}  // namespace

DWORD GetEnvironmentVariable(LPCSTR name, LPSTR buffer, DWORD size) {
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::optional<std::string> value;
  {
    std::lock_guard<std::mutex> lock(EnvMutex());
    value = Lookup(name);
  }
  if (!value) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  if (!buffer || size <= value->size()) return static_cast<DWORD>(value->size() + 1);
  std::memcpy(buffer, value->c_str(), value->size() + 1);
  return static_cast<DWORD>(value->size());
}

BOOL SetEnvironmentVariable(LPCSTR name, LPCSTR value) {
  if (!name || !*name || std::strchr(name, '=')) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> lock(EnvMutex());
  if (!value) {
    if (!Lookup(name)) {
      SetLastError(ERROR_ENVVAR_NOT_FOUND);
      return FALSE;
    }
    unsetenv(name);
    return TRUE;
  }
  return setenv(name, value, 1) == 0 ? TRUE : FALSE;
}

DWORD ExpandEnvironmentStrings(LPCSTR src, LPSTR dst, DWORD size) {
  if (!src) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string in = src, out;
  {
    std::lock_guard<std::mutex> lock(EnvMutex());
    size_t pos = 0;
    while (pos < in.size()) {
      size_t open = in.find('%', pos);
      size_t close = open == std::string::npos ? std::string::npos : in.find('%', open + 1);
      if (close == std::string::npos) {
        out += in.substr(pos);
        break;
      }
      out += in.substr(pos, open - pos);
      std::string name = in.substr(open + 1, close - open - 1);
      std::optional<std::string> value = name.empty() ? std::nullopt : Lookup(name);
      if (value) {
        out += *value;
        pos = close + 1;
      } else {
        out += in.substr(open, close - open + 1);  // unknown names stay as written
        pos = close + 1;
      }
    }
  }
  DWORD needed = static_cast<DWORD>(out.size() + 1);
  if (dst && size >= needed) std::memcpy(dst, out.c_str(), needed);
  return needed;
}
