#include "framework/sec_registry.h"

#include "platform/sys/computer_name.h"
#include "platform/sys/time.h"

IMPLEMENT_DYNAMIC(SECRegistry, CObject)

namespace {

struct RootName {
  HKEY key;
  LPCTSTR name;
};

const RootName kRootNames[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},     {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},   {HKEY_USERS, "HKEY_USERS"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}, {HKEY_DYN_DATA, "HKEY_DYN_DATA"},
};

CString LocalComputerName() {
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof name;
  return ::GetComputerName(name, &size) ? CString(name) : CString();
}

}  // namespace

SECRegistry::SECRegistry() { Initialize(); }

SECRegistry::~SECRegistry() {
  if (m_hKey || m_hRegistry) Close();
  Initialize();
}

LPCTSTR SECRegistry::RootKeyName(HKEY hKey) {
  for (const RootName& r : kRootNames)
    if (r.key == hKey) return r.name;
  return nullptr;
}

CString SECRegistry::NormalizeKeyName(LPCTSTR lpszName, BOOL bLeadingToo) {
  CString name(lpszName);
  if (!name.IsEmpty() && name[name.GetLength() - 1] == '\\') name = name.Left(name.GetLength() - 1);
  if (bLeadingToo && !name.IsEmpty() && name[0] == '\\') name = name.Mid(1);
  return name;
}

BOOL SECRegistry::Result(LONG lCode) {
  m_lErrorCode = lCode;
  return lCode == ERROR_SUCCESS;
}

BOOL SECRegistry::Fail(LONG lCode) {
  m_lErrorCode = lCode;
  return FALSE;
}

void SECRegistry::Initialize() {
  m_lErrorCode = ERROR_SUCCESS;
  m_dwLongestSubkeyNameLength = m_dwLongestClassNameLength = 0;
  m_dwLongestValueNameLength = m_dwLongestValueDataLength = 0;
  m_dwSecurityDescriptorLength = 0;
  m_fileTimeLastWrite = {};
  m_strClassName.Empty();
  m_strComputerName.Empty();
  m_strKeyName.Empty();
  m_strRegistryName.Empty();
  m_dwNumberOfSubkeys = m_dwNumberOfValues = 0;
  m_timeLastWrite = 0;
  m_bRemote = FALSE;
  m_bCloseKeyOnDisconnect = TRUE;
}

void SECRegistry::CloseOpenKey() {
  if (m_hKey && m_hKey != m_hRegistry) RegCloseKey(m_hKey);
  m_hKey = m_hRegistry;
  m_strKeyName.Empty();
}

BOOL SECRegistry::Close() {
  LONG rc = ERROR_SUCCESS;
  if (m_hKey && m_hKey != m_hRegistry) rc = RegCloseKey(m_hKey);
  if (m_hRegistry && m_bCloseKeyOnDisconnect) {
    LONG rootRc = RegCloseKey(m_hRegistry);
    if (rc == ERROR_SUCCESS) rc = rootRc;
  }
  m_hKey = m_hRegistry = nullptr;
  Initialize();
  return Result(rc);
}

BOOL SECRegistry::Connect(HKEY hKeyToOpen, LPCTSTR lpszComputerName, BOOL bCloseRootOnClose) {
  BOOL previousCloseRoot = m_bCloseKeyOnDisconnect;
  if (m_hKey || m_hRegistry) Close();
  BOOL remote = lpszComputerName && *lpszComputerName;
  HKEY root = hKeyToOpen;
  LONG rc = ERROR_SUCCESS;
  if (hKeyToOpen == HKEY_CLASSES_ROOT || hKeyToOpen == HKEY_CURRENT_USER) {
    if (remote) rc = ERROR_INVALID_HANDLE;  // only ever local
  } else {
    rc = RegConnectRegistry(remote ? lpszComputerName : nullptr, hKeyToOpen, &root);
  }
  if (rc != ERROR_SUCCESS) {
    m_bCloseKeyOnDisconnect = previousCloseRoot;
    return Fail(rc);
  }
  m_bCloseKeyOnDisconnect = bCloseRootOnClose;
  m_bRemote = remote;
  m_hRegistry = m_hKey = root;
  m_strComputerName = remote ? CString(lpszComputerName) : LocalComputerName();
  if (LPCTSTR name = RootKeyName(hKeyToOpen)) m_strRegistryName = name;
  return Result(ERROR_SUCCESS);
}

BOOL SECRegistry::Open(LPCTSTR lpszSubKey, REGSAM samDesired) {
  if (!lpszSubKey) return Fail(ERROR_INVALID_PARAMETER);
  if (!m_hRegistry) {
    m_hRegistry = m_hKey = HKEY_CLASSES_ROOT;
    m_strRegistryName = RootKeyName(HKEY_CLASSES_ROOT);
  }
  CloseOpenKey();
  CString name = NormalizeKeyName(lpszSubKey, TRUE);
  HKEY key = nullptr;
  if (!Result(RegOpenKeyEx(m_hRegistry, name, 0, samDesired, &key))) return FALSE;
  m_hKey = key;
  m_samOpen = samDesired;
  m_strKeyName = name;
  QueryInfo();
  return TRUE;
}

BOOL SECRegistry::CreateKey(LPCTSTR lpszSubKey, LPCTSTR lpszClass, DWORD dwOptions, REGSAM samDesired,
                            LPSECURITY_ATTRIBUTES lpSecurityAttributes, LPDWORD lpdwDisposition) {
  if (!lpszSubKey) return Fail(ERROR_INVALID_PARAMETER);
  CString name = NormalizeKeyName(lpszSubKey, TRUE);
  CloseOpenKey();
  CString className(lpszClass);
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (!Result(RegCreateKeyEx(m_hRegistry, name, 0, className.GetBuffer(0), dwOptions, samDesired,
                             lpSecurityAttributes, &key, &disposition)))
    return FALSE;
  m_hKey = key;
  m_samOpen = samDesired;
  m_strKeyName = name;
  if (lpdwDisposition) *lpdwDisposition = disposition;
  return TRUE;
}

BOOL SECRegistry::QueryInfo() {
  char className[2048] = {};
  DWORD classChars = 2047;
  LONG rc = RegQueryInfoKey(m_hKey, className, &classChars, nullptr, &m_dwNumberOfSubkeys,
                            &m_dwLongestSubkeyNameLength, &m_dwLongestClassNameLength, &m_dwNumberOfValues,
                            &m_dwLongestValueNameLength, &m_dwLongestValueDataLength,
                            &m_dwSecurityDescriptorLength, &m_fileTimeLastWrite);
  if (!Result(rc)) return FALSE;
  m_strClassName = className;
  int64_t nanoseconds = 0;
  plat::UnixFromFileTime(m_fileTimeLastWrite, m_timeLastWrite, nanoseconds);
  return TRUE;
}

BOOL SECRegistry::Flush() { return Result(RegFlushKey(m_hKey)); }

BOOL SECRegistry::GetSecurity(SECURITY_INFORMATION siInfo, PSECURITY_DESCRIPTOR pDescriptor,
                              LPDWORD lpcbDescriptor) {
  if (!lpcbDescriptor) return Fail(ERROR_INVALID_PARAMETER);
  return Result(RegGetKeySecurity(m_hKey, siInfo, pDescriptor, lpcbDescriptor));
}

BOOL SECRegistry::SetSecurity(SECURITY_INFORMATION siInfo, PSECURITY_DESCRIPTOR pDescriptor) {
  if (!pDescriptor) return Fail(ERROR_INVALID_PARAMETER);
  return Result(RegSetKeySecurity(m_hKey, siInfo, pDescriptor));
}

BOOL SECRegistry::NotifyChange(HANDLE hEvent, DWORD dwFilter, BOOL bWatchSubtree, BOOL bAsynchronous) {
  return Result(RegNotifyChangeKeyValue(m_hKey, bWatchSubtree, dwFilter, hEvent, bAsynchronous));
}

BOOL SECRegistry::LoadKey(LPCTSTR lpszSubKey, LPCTSTR lpszFile) {
  if (!lpszSubKey || !lpszFile) return Fail(ERROR_INVALID_PARAMETER);
  return Result(RegLoadKey(m_hRegistry, lpszSubKey, lpszFile));
}

BOOL SECRegistry::UnLoadKey(LPCTSTR lpszSubKey) {
  if (!lpszSubKey) return Fail(ERROR_INVALID_PARAMETER);
  return Result(RegUnLoadKey(m_hRegistry, lpszSubKey));
}

BOOL SECRegistry::ReplaceKey(LPCTSTR lpszSubKey, LPCTSTR lpszNewFile, LPCTSTR lpszOldFile) {
  if (!lpszSubKey || !lpszNewFile || !lpszOldFile) return Fail(ERROR_INVALID_PARAMETER);
  return Result(RegReplaceKey(m_hKey, lpszSubKey, lpszNewFile, lpszOldFile));
}

BOOL SECRegistry::RestoreKey(LPCTSTR lpszFile, DWORD dwFlags) {
  if (!lpszFile) return Fail(ERROR_INVALID_PARAMETER);
  return Result(RegRestoreKey(m_hKey, lpszFile, dwFlags));
}

BOOL SECRegistry::SaveKey(LPCTSTR lpszFile, LPSECURITY_ATTRIBUTES lpSecurityAttributes) {
  if (!lpszFile) return Fail(ERROR_INVALID_PARAMETER);
  return Result(RegSaveKey(m_hKey, lpszFile, lpSecurityAttributes));
}
