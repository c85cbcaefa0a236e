// The generic registry exports: keys below HKEY_CURRENT_USER, DWORD and
// string values.
#include <cstring>
#include <vector>

#include "platform/sys/registry.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace {
constexpr DWORD kStringCopyLimit = 200;
}

extern "C" {

int WINAPI CreateReg(LPCSTR subKey, HKEY* key) {
  DWORD disposition = 0;
  return RegCreateKeyEx(HKEY_CURRENT_USER, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, key, &disposition) == ERROR_SUCCESS;
}

int WINAPI ReadRegDword(HKEY key, LPCSTR name, DWORD* value) {
  DWORD size = sizeof(DWORD);
  DWORD type = 0;
  return RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS;
}

int WINAPI WriteRegDword(HKEY key, LPCSTR name, DWORD value) {
  return RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
         ERROR_SUCCESS;
}

int WINAPI ReadRegString(HKEY key, LPCSTR name, LPSTR text) {
  DWORD type = 0, size = 0;
  if (RegQueryValueEx(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return 0;
  std::vector<BYTE> data(size + 1, 0);
  if (RegQueryValueEx(key, name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
    ytn1::ShowMessage("Error STRING", nullptr, MB_OK);
    return 0;
  }
  // At most 200 characters reach the caller, always terminated.
  size_t n = strnlen(reinterpret_cast<const char*>(data.data()), std::min<size_t>(size, kStringCopyLimit));
  std::memcpy(text, data.data(), n);
  text[n] = 0;
  return 1;
}

int WINAPI WriteRegString(HKEY key, LPCSTR name, LPCSTR text) {
  return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       DWORD(std::strlen(text) + 1)) == ERROR_SUCCESS;
}

}  // extern "C"
