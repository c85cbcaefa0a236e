// SECPTNStrategyRegistry: a persistent setting tree in the registry, one key
// per node below a base key (base\Layout\DockState\Bar-1), the node's keys
// as text values; children are the subkeys. What one strategy object
// writes reaches the store's file together when the object is destroyed.
#pragma once

#include "framework/sec_ptn_strategy.h"
#include "framework/sec_registry.h"
#include "platform/base/cstring.h"

class SECPTNStrategyRegistry : public SECPTNStrategy {
 public:
  // A "\" is appended to the base key path when it does not end with one.
  explicit SECPTNStrategyRegistry(LPCTSTR lpszBaseKeyPath, HKEY hRootKey = HKEY_CURRENT_USER);

  // Deletes the node's key with all its subkeys.
  BOOL DeleteNode(const CStringList& path) override;
  BOOL WriteKeyValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) override;
  // Makes the node's key (children are its subkeys).
  BOOL WriteChildList(const CStringList& path, const CStringList& childNames) override;
  BOOL ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys,
                CStringList& values) override;

  // Each path element followed by "\".
  virtual void GetKeyPath(CString& strKeyPath, const CStringList& path);

  CString FullKeyPath(const CStringList& path);

 protected:
  BOOL ConnectTo(SECRegistry& registry) const;

  CString m_strBaseKeyPath;
  HKEY m_hRootKey;
  plat::RegistryWriteBatch m_batch;
};
