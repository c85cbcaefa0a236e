// SECRegistry: one connection to a registry root and one open key under it,
// with typed value access, enumeration, recursive key deletion and hive
// files. Every registry call keeps its Win32 result in m_lErrorCode; the
// operations return non-zero on success. Remote machines and key security
// are not offered by the store: connecting to a machine by name fails
// (ERROR_INVALID_HANDLE for HKEY_CLASSES_ROOT and HKEY_CURRENT_USER,
// ERROR_BAD_NETPATH for the other roots), the security and notification
// calls with ERROR_CALL_NOT_IMPLEMENTED.
#pragma once

#include <cstdint>

#include "platform/base/afxcoll.h"
#include "platform/base/cobject.h"
#include "platform/base/cstring.h"
#include "platform/base/windef.h"
#include "platform/sys/registry.h"

class SECRegistry : public CObject {
  DECLARE_DYNAMIC(SECRegistry)

 public:
  SECRegistry();
  ~SECRegistry() override;
  SECRegistry(const SECRegistry&) = delete;
  SECRegistry& operator=(const SECRegistry&) = delete;

  // Clears the names and the key information; close-root-on-close := TRUE.
  virtual void Initialize();
  // Creates (or opens) the key under the root and makes it the open key.
  virtual BOOL CreateKey(LPCTSTR lpszSubKey, LPCTSTR lpszClass = nullptr,
                         DWORD dwOptions = REG_OPTION_NON_VOLATILE, REGSAM samDesired = KEY_ALL_ACCESS,
                         LPSECURITY_ATTRIBUTES lpSecurityAttributes = nullptr,
                         LPDWORD lpdwDisposition = nullptr);
  virtual BOOL Close();
  virtual BOOL Connect(HKEY hKeyToOpen = HKEY_CURRENT_USER, LPCTSTR lpszComputerName = nullptr,
                       BOOL bCloseRootOnClose = TRUE);
  // A name with "\" is first looked for below the open key's name, then
  // under the root. A root is never deleted or emptied.
  virtual BOOL DeleteKey(LPCTSTR lpszKeyToDelete, BOOL bDeleteSubkeys = FALSE);
  virtual BOOL DeleteValue(LPCTSTR lpszValueName);
  virtual LONG EnumKeyRaw(DWORD dwIndex, LPTSTR lpszName, LPDWORD lpcchName, LPTSTR lpszClass,
                          LPDWORD lpcchClass);
  virtual BOOL EnumKey(DWORD dwIndex, CString& strName, CString& strClass);
  virtual BOOL EnumKey(DWORD dwIndex, CString& strName);
  virtual BOOL EnumValue(DWORD dwIndex, CString& strName, DWORD& dwType, LPBYTE lpData, DWORD& dwSize);
  virtual BOOL EnumValue(DWORD dwIndex, CString& strName, DWORD& dwType);
  virtual BOOL EnumValueRaw(DWORD dwIndex, CString& strName, DWORD& dwType, LPBYTE lpData, LPDWORD lpcbData);
  virtual BOOL Flush();
  // The typed readers take the value's current size and refuse a value of
  // another type (ERROR_UNSUPPORTED_TYPE); the binary reader takes any type.
  virtual BOOL GetBinaryValue(LPCTSTR lpszValueName, CByteArray& aData);
  virtual BOOL GetDWordValue(LPCTSTR lpszValueName, DWORD& dwValue);
  virtual BOOL GetSecurity(SECURITY_INFORMATION siInfo, PSECURITY_DESCRIPTOR pDescriptor,
                           LPDWORD lpcbDescriptor);
  virtual BOOL GetStringValue(LPCTSTR lpszValueName, CString& strValue);
  virtual BOOL GetStringArrayValue(LPCTSTR lpszValueName, CStringArray& aStrings);
  virtual BOOL GetValue(LPCTSTR lpszValueName, CString& strValue);
  virtual BOOL GetValue(LPCTSTR lpszValueName, CStringArray& aStrings);
  virtual BOOL GetValue(LPCTSTR lpszValueName, DWORD& dwValue);
  virtual BOOL GetValue(LPCTSTR lpszValueName, CByteArray& aData);
  virtual BOOL LoadKey(LPCTSTR lpszSubKey, LPCTSTR lpszFile);
  virtual BOOL NotifyChange(HANDLE hEvent, DWORD dwFilter, BOOL bWatchSubtree, BOOL bAsynchronous);
  virtual BOOL Open(LPCTSTR lpszSubKey, REGSAM samDesired = KEY_READ);
  virtual BOOL QueryInfo();
  // lpData NULL asks for the size only.
  virtual BOOL QueryValue(LPCTSTR lpszValueName, DWORD& dwType, LPBYTE lpData, DWORD& dwSize);
  virtual BOOL ReplaceKey(LPCTSTR lpszSubKey, LPCTSTR lpszNewFile, LPCTSTR lpszOldFile);
  virtual BOOL RestoreKey(LPCTSTR lpszFile, DWORD dwFlags = 0);
  virtual BOOL SaveKey(LPCTSTR lpszFile, LPSECURITY_ATTRIBUTES lpSecurityAttributes = nullptr);
  virtual BOOL SetBinaryValue(LPCTSTR lpszValueName, const CByteArray& aData);
  virtual BOOL SetDWordValue(LPCTSTR lpszValueName, DWORD dwValue);
  virtual BOOL SetSecurity(SECURITY_INFORMATION siInfo, PSECURITY_DESCRIPTOR pDescriptor);
  virtual BOOL SetStringValue(LPCTSTR lpszValueName, const CString& strValue);
  virtual BOOL SetStringArrayValue(LPCTSTR lpszValueName, const CStringArray& aStrings);
  virtual BOOL SetValue(LPCTSTR lpszValueName, DWORD dwType, const BYTE* lpData, DWORD dwSize);
  virtual BOOL SetValue(LPCTSTR lpszValueName, const CString& strValue);
  virtual BOOL SetValue(LPCTSTR lpszValueName, const CStringArray& aStrings);
  virtual BOOL SetValue(LPCTSTR lpszValueName, DWORD dwValue);
  virtual BOOL SetValue(LPCTSTR lpszValueName, const CByteArray& aData);
  virtual BOOL UnLoadKey(LPCTSTR lpszSubKey);

  // The name of a predefined root ("HKEY_CURRENT_USER", ...), NULL for others.
  static LPCTSTR RootKeyName(HKEY hKey);

  LONG m_lErrorCode = ERROR_SUCCESS;
  HKEY m_hKey = nullptr;       // the open key; the root right after Connect
  HKEY m_hRegistry = nullptr;  // the connected root
  DWORD m_dwLongestSubkeyNameLength = 0;
  DWORD m_dwLongestClassNameLength = 0;
  DWORD m_dwLongestValueNameLength = 0;
  DWORD m_dwLongestValueDataLength = 0;
  DWORD m_dwSecurityDescriptorLength = 0;
  FILETIME m_fileTimeLastWrite = {};
  CString m_strClassName;
  CString m_strComputerName;
  CString m_strKeyName;
  CString m_strRegistryName;
  DWORD m_dwNumberOfSubkeys = 0;
  DWORD m_dwNumberOfValues = 0;
  int64_t m_timeLastWrite = 0;  // seconds since 1970 (UTC)
  BOOL m_bRemote = FALSE;
  BOOL m_bCloseKeyOnDisconnect = TRUE;

 protected:
  // Stores the code as the last error; TRUE exactly when it is 0.
  BOOL Result(LONG lCode);
  BOOL Fail(LONG lCode);
  void CloseOpenKey();
  BOOL ReadValueBytes(LPCTSTR lpszValueName, DWORD& dwType, CByteArray& aData);
  BOOL OpenForDeletion(SECRegistry& other, const CString& strName, CString& strFullName);
  BOOL DeleteSubtree(SECRegistry& other, const CString& strFullName);
  BOOL DeleteLeaf(SECRegistry& other, const CString& strFullName);
  // Without a trailing "\" and, when asked, without a leading one.
  static CString NormalizeKeyName(LPCTSTR lpszName, BOOL bLeadingToo);

 private:
  REGSAM m_samOpen = KEY_READ;  // the access the open key was opened with
};
