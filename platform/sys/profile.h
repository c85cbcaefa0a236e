// The application profile: the application's settings by section and
// entry. With a registry key set (SetRegistryKey), they live in the
// registry under HKEY_CURRENT_USER\Software\<company>\<application>\<section>
// (the empty section "" is the application's own key); without one, in the
// private-profile file named after the application ("<application>.ini",
// see inifile.h for where it is kept). The application object forwards its
// profile members here. Values of any length are read whole. Thread-safe.
#pragma once

#include <mutex>

#include "platform/base/cstring.h"
#include "platform/base/windef.h"

namespace plat {

class Profile {
 public:
  // The one profile of the running application.
  static Profile& App();

  // The company name under HKEY_CURRENT_USER\Software; NULL or "" returns
  // to the private-profile file.
  void SetRegistryKey(LPCSTR company);
  CString GetRegistryKey() const;
  // Default: the program's file name without extension.
  void SetAppName(LPCSTR appName);
  CString GetAppName() const;
  // The private-profile file; default "<application>.ini".
  void SetProfileName(LPCSTR fileName);
  CString GetProfileName() const;

  // Open keys (the caller closes them); NULL without a registry key or on
  // failure. The section key is created when missing.
  HKEY GetAppRegistryKey();
  HKEY GetSectionKey(LPCSTR section);

  UINT GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue);
  CString GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue = nullptr);
  // On success *data gets a new[] array of *bytes bytes (the caller
  // delete[]s it); FALSE with *data NULL when there is no such entry.
  BOOL GetProfileBinary(LPCSTR section, LPCSTR entry, BYTE** data, UINT* bytes);
  BOOL WriteProfileInt(LPCSTR section, LPCSTR entry, int value);
  // value NULL deletes the entry; entry NULL deletes the section.
  BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);
  BOOL WriteProfileBinary(LPCSTR section, LPCSTR entry, const BYTE* data, UINT bytes);

 private:
  Profile() = default;
  bool UsesRegistry() const;
  HKEY OpenSectionKey(LPCSTR section);  // read-only, not created

  mutable std::mutex m_mutex;
  CString m_registryKey;
  CString m_appName;
  CString m_profileName;
};

}  // namespace plat
