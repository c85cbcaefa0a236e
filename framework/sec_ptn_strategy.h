// SECPTNStrategy: where a persistent setting tree is stored. A node is
// named by its path, the node names from the root down. A strategy is made
// for one save or one load and keeps nothing open between calls.
#pragma once

#include "platform/base/afxcoll.h"
#include "platform/base/windef.h"

class SECPTNStrategy {
 public:
  SECPTNStrategy() = default;
  virtual ~SECPTNStrategy() = default;
  SECPTNStrategy(const SECPTNStrategy&) = delete;
  SECPTNStrategy& operator=(const SECPTNStrategy&) = delete;

  // Removes the node's stored data before it is written again.
  virtual BOOL DeleteNode(const CStringList& path) = 0;
  virtual BOOL WriteKeyValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) = 0;
  virtual BOOL WriteChildList(const CStringList& path, const CStringList& childNames) = 0;
  // Fills the child names and the parallel key and value lists.
  virtual BOOL ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys,
                        CStringList& values) = 0;
};
