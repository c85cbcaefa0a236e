// SECRegistry: deleting keys, with their subkeys when asked.
#include "framework/sec_registry.h"

BOOL SECRegistry::DeleteKey(LPCTSTR lpszKeyToDelete, BOOL bDeleteSubkeys) {
  if (!lpszKeyToDelete) return Fail(ERROR_INVALID_PARAMETER);
  CString name = NormalizeKeyName(lpszKeyToDelete, TRUE);
  if (name.IsEmpty()) return Fail(ERROR_INVALID_PARAMETER);  // that would be the root itself

  SECRegistry other;
  if (!other.Connect(m_hRegistry, m_bRemote ? static_cast<LPCTSTR>(m_strComputerName) : nullptr, FALSE))
    return Fail(other.m_lErrorCode);
  plat::RegistryWriteBatch batch;  // the store is written once, at the end
  CString fullName;
  if (!OpenForDeletion(other, name, fullName)) return Fail(other.m_lErrorCode);
  BOOL deleted = bDeleteSubkeys ? DeleteSubtree(other, fullName) : DeleteLeaf(other, fullName);
  LONG rc = deleted ? ERROR_SUCCESS : other.m_lErrorCode;

  // Our own key may have gone with it: open it again by name.
  if (m_hKey && m_hKey != m_hRegistry && !m_strKeyName.IsEmpty()) {
    CString ownName = m_strKeyName;
    Open(ownName, m_samOpen);
  }
  return Result(rc);
}

// The key as a path below the open key's name (names with "\" only), else
// as given.
BOOL SECRegistry::OpenForDeletion(SECRegistry& other, const CString& strName, CString& strFullName) {
  if (strName.Find('\\') >= 0 && !m_strKeyName.IsEmpty()) {
    CString below = m_strKeyName + "\\" + strName;
    if (other.Open(below, KEY_ALL_ACCESS)) {
      strFullName = below;
      return TRUE;
    }
  }
  if (!other.Open(strName, KEY_ALL_ACCESS)) return FALSE;
  strFullName = strName;
  return TRUE;
}

// Deletes the first subkey again and again, then the key itself: walks
// down to a key without subkeys, deletes it and goes back up, without
// recursion however deep the tree is. Names are full paths under the root,
// so no subkey is looked for elsewhere.
BOOL SECRegistry::DeleteSubtree(SECRegistry& other, const CString& strFullName) {
  CString path = strFullName;
  for (;;) {
    if (!other.Open(path, KEY_ALL_ACCESS)) return FALSE;
    CString subkey;
    if (other.EnumKey(0, subkey)) {
      path += "\\" + subkey;
      continue;
    }
    if (!DeleteLeaf(other, path)) return FALSE;
    if (path.GetLength() <= strFullName.GetLength()) return TRUE;
    path = path.Left(path.ReverseFind('\\'));
  }
}

BOOL SECRegistry::DeleteLeaf(SECRegistry& other, const CString& strFullName) {
  int slash = strFullName.ReverseFind('\\');
  HKEY parent = other.m_hRegistry;
  if (slash >= 0) {
    if (!other.Open(strFullName.Left(slash), KEY_ALL_ACCESS)) return FALSE;
    parent = other.m_hKey;
  }
  return other.Result(RegDeleteKey(parent, strFullName.Mid(slash + 1)));
}
