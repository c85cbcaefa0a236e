#include "platform/sys/profile.h"

#include <cstring>
#include <memory>
#include <string>

#include "platform/sys/inifile.h"
#include "platform/sys/path.h"
#include "platform/sys/registry.h"

namespace plat {

namespace {

// Binary data in a profile file: two letters per byte, 'A' + low nibble
// then 'A' + high nibble.
std::string EncodeBinary(const BYTE* data, UINT bytes) {
  std::string s;
  for (UINT i = 0; i < bytes; ++i) {
    s += static_cast<char>('A' + (data[i] & 15));
    s += static_cast<char>('A' + (data[i] >> 4));
  }
  return s;
}

bool DecodeBinary(const std::string& s, std::string& out) {
  if (s.size() % 2) return false;
  out.clear();
  for (size_t i = 0; i < s.size(); i += 2) {
    int lo = s[i] - 'A', hi = s[i + 1] - 'A';
    if (lo < 0 || lo > 15 || hi < 0 || hi > 15) return false;
    out += static_cast<char>(hi * 16 + lo);
  }
  return true;
}

struct KeyCloser {
  HKEY key;
  ~KeyCloser() {
    if (key) RegCloseKey(key);
  }
};

// A value of the section key: its type and bytes; false when missing.
bool QueryValue(HKEY key, LPCSTR entry, DWORD& type, std::string& data) {
  DWORD size = 0;
  if (RegQueryValueEx(key, entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  data.assign(size, '\0');
  if (RegQueryValueEx(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return false;
  data.resize(size);
  return true;
}

}  // namespace

Profile& Profile::App() {
  static Profile profile;
  return profile;
}

void Profile::SetRegistryKey(LPCSTR company) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_registryKey = company ? company : "";
}

CString Profile::GetRegistryKey() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_registryKey;
}

void Profile::SetAppName(LPCSTR appName) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_appName = appName ? appName : "";
}

CString Profile::GetAppName() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_appName.IsEmpty()) return m_appName;
  return CString(FileTitlePart(ProgramPath()).c_str());
}

void Profile::SetProfileName(LPCSTR fileName) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_profileName = fileName ? fileName : "";
}

CString Profile::GetProfileName() const {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_profileName.IsEmpty()) return m_profileName;
  }
  return GetAppName() + ".ini";
}

bool Profile::UsesRegistry() const { return !GetRegistryKey().IsEmpty(); }

HKEY Profile::GetAppRegistryKey() {
  CString company = GetRegistryKey();
  if (company.IsEmpty()) return nullptr;
  std::string path = "Software\\" + std::string(company) + "\\" + std::string(GetAppName());
  HKEY key = nullptr;
  if (RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                     KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

HKEY Profile::GetSectionKey(LPCSTR section) {
  HKEY app = GetAppRegistryKey();
  if (!app) return nullptr;
  KeyCloser closer{app};
  HKEY key = nullptr;
  if (RegCreateKeyEx(app, section ? section : "", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                     nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

HKEY Profile::OpenSectionKey(LPCSTR section) {
  CString company = GetRegistryKey();
  std::string path = "Software\\" + std::string(company) + "\\" + std::string(GetAppName());
  if (section && *section) path += "\\" + std::string(section);
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
  return key;
}

UINT Profile::GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue) {
  if (!section || !entry) return static_cast<UINT>(defaultValue);
  if (!UsesRegistry()) return GetPrivateProfileInt(section, entry, defaultValue, GetProfileName());
  KeyCloser key{OpenSectionKey(section)};
  DWORD type;
  std::string data;
  if (!key.key || !QueryValue(key.key, entry, type, data) || type != REG_DWORD || data.size() != 4)
    return static_cast<UINT>(defaultValue);
  DWORD value;
  std::memcpy(&value, data.data(), 4);
  return value;
}

CString Profile::GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue) {
  CString fallback = defaultValue ? defaultValue : "";
  if (!section || !entry) return fallback;
  if (!UsesRegistry()) {
    auto value = ReadProfileValue(std::string(GetProfileName()), section, entry);
    return value ? CString(value->c_str(), static_cast<int>(value->size())) : fallback;
  }
  KeyCloser key{OpenSectionKey(section)};
  DWORD type;
  std::string data;
  if (!key.key || !QueryValue(key.key, entry, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ))
    return fallback;
  size_t end = data.find('\0');
  if (end != std::string::npos) data.resize(end);
  return CString(data.c_str(), static_cast<int>(data.size()));
}

BOOL Profile::GetProfileBinary(LPCSTR section, LPCSTR entry, BYTE** out, UINT* bytes) {
  if (out) *out = nullptr;
  if (bytes) *bytes = 0;
  if (!section || !entry || !out || !bytes) return FALSE;
  std::string data;
  if (!UsesRegistry()) {
    auto text = ReadProfileValue(std::string(GetProfileName()), section, entry);
    if (!text || text->empty() || !DecodeBinary(*text, data)) return FALSE;
  } else {
    KeyCloser key{OpenSectionKey(section)};
    DWORD type;
    if (!key.key || !QueryValue(key.key, entry, type, data) || type != REG_BINARY) return FALSE;
  }
  *out = new BYTE[data.size() ? data.size() : 1];
  if (!data.empty()) std::memcpy(*out, data.data(), data.size());
  *bytes = static_cast<UINT>(data.size());
  return TRUE;
}

BOOL Profile::WriteProfileInt(LPCSTR section, LPCSTR entry, int value) {
  if (!section || !entry) return FALSE;
  if (!UsesRegistry())
    return WritePrivateProfileString(section, entry, std::to_string(value).c_str(), GetProfileName());
  KeyCloser key{GetSectionKey(section)};
  DWORD v = static_cast<DWORD>(value);
  return key.key &&
         RegSetValueEx(key.key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4) == ERROR_SUCCESS;
}

BOOL Profile::WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value) {
  if (!section) return FALSE;
  if (!UsesRegistry()) return WritePrivateProfileString(section, entry, value, GetProfileName());
  if (!entry) {
    KeyCloser app{GetAppRegistryKey()};
    return app.key && RegDeleteKey(app.key, section) == ERROR_SUCCESS;
  }
  KeyCloser key{GetSectionKey(section)};
  if (!key.key) return FALSE;
  if (!value) return RegDeleteValue(key.key, entry) == ERROR_SUCCESS;
  return RegSetValueEx(key.key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(std::strlen(value) + 1)) == ERROR_SUCCESS;
}

BOOL Profile::WriteProfileBinary(LPCSTR section, LPCSTR entry, const BYTE* data, UINT bytes) {
  if (!section || !entry || (!data && bytes)) return FALSE;
  if (!UsesRegistry())
    return WritePrivateProfileString(section, entry, EncodeBinary(data, bytes).c_str(), GetProfileName());
  KeyCloser key{GetSectionKey(section)};
  return key.key && RegSetValueEx(key.key, entry, 0, REG_BINARY, data, bytes) == ERROR_SUCCESS;
}

}  // namespace plat
