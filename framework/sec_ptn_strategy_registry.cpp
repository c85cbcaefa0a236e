#include "framework/sec_ptn_strategy_registry.h"

SECPTNStrategyRegistry::SECPTNStrategyRegistry(LPCTSTR lpszBaseKeyPath, HKEY hRootKey)
    : m_strBaseKeyPath(lpszBaseKeyPath), m_hRootKey(hRootKey) {
  if (m_strBaseKeyPath.IsEmpty() || m_strBaseKeyPath[m_strBaseKeyPath.GetLength() - 1] != '\\')
    m_strBaseKeyPath += '\\';
}

void SECPTNStrategyRegistry::GetKeyPath(CString& strKeyPath, const CStringList& path) {
  strKeyPath.Empty();
  for (POSITION pos = path.GetHeadPosition(); pos;) {
    strKeyPath += path.GetNext(pos);
    strKeyPath += '\\';
  }
}

CString SECPTNStrategyRegistry::FullKeyPath(const CStringList& path) {
  CString keyPath;
  GetKeyPath(keyPath, path);
  return m_strBaseKeyPath + keyPath;
}

BOOL SECPTNStrategyRegistry::ConnectTo(SECRegistry& registry) const {
  return registry.Connect(m_hRootKey, nullptr, TRUE);
}

BOOL SECPTNStrategyRegistry::DeleteNode(const CStringList& path) {
  SECRegistry registry;
  CString key = FullKeyPath(path);
  if (!ConnectTo(registry) || !registry.Open(key, KEY_ALL_ACCESS)) return FALSE;
  // A fresh connection, so that the name is taken from the root only.
  if (!ConnectTo(registry)) return FALSE;
  return registry.DeleteKey(key, TRUE);
}

BOOL SECPTNStrategyRegistry::WriteKeyValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) {
  SECRegistry registry;
  CString key = FullKeyPath(path);
  if (!ConnectTo(registry) || !registry.CreateKey(key, nullptr, 0, KEY_ALL_ACCESS)) return FALSE;
  if (!registry.Open(key, KEY_ALL_ACCESS)) return FALSE;
  return registry.SetStringValue(lpszKey, CString(lpszValue));
}

// Children are the subkeys and are written with their own nodes. The node's
// key is made here, so that a node without keys is kept as well.
BOOL SECPTNStrategyRegistry::WriteChildList(const CStringList& path, const CStringList&) {
  SECRegistry registry;
  return ConnectTo(registry) && registry.CreateKey(FullKeyPath(path), nullptr, 0, KEY_ALL_ACCESS);
}

BOOL SECPTNStrategyRegistry::ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys,
                                      CStringList& values) {
  SECRegistry registry;
  if (!ConnectTo(registry) || !registry.Open(FullKeyPath(path), KEY_ALL_ACCESS)) return FALSE;
  childNames.RemoveAll();
  keys.RemoveAll();
  values.RemoveAll();
  CString name;
  for (DWORD index = 0; registry.EnumKey(index, name); ++index) childNames.AddTail(name);
  DWORD type = 0;
  for (DWORD index = 0; registry.EnumValue(index, name, type); ++index) {
    CString text;
    if (registry.GetStringValue(name, text)) {
      keys.AddTail(name);
      values.AddTail(text);
    }
  }
  return TRUE;
}
