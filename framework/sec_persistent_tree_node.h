// SECPersistentTreeNode: one node of a persistent setting tree, a named
// node with an ordered list of text key/value pairs and child nodes, saved
// to and loaded from a storage strategy (the profile or the registry).
// Integers, booleans and binary blocks are stored as text.
//
// Node operations return 0 or a combination of the check bits below; a
// failed check leaves the node unchanged.
#pragma once

#include "framework/sec_ptn_factory.h"
#include "framework/sec_ptn_strategy.h"
#include "platform/base/afxcoll.h"
#include "platform/base/cobject.h"
#include "platform/base/cstring.h"
#include "platform/base/windef.h"

class SECPersistentTreeNode : public CObject {
  DECLARE_DYNCREATE(SECPersistentTreeNode)

 public:
  class SECPersTreeNodeKeyValuePair : public CObject {
   public:
    SECPersTreeNodeKeyValuePair(const CString& strKey, const CString& strValue)
        : m_strKey(strKey), m_strValue(strValue) {}
    CString m_strKey;
    CString m_strValue;
  };

  enum : DWORD {
    ptnAlreadyCreated = 1,
    ptnNotCreated = 2,
    ptnBadName = 4,  // empty node name, or no child
    ptnEmptyKey = 8,
    ptnKeyExists = 16,  // and overwriting was not allowed
    ptnChildExists = 32,
    ptnKeyMissing = 64,  // also a binary value with a missing piece
    ptnNullData = 128,
    ptnNoText = 256,  // the binary block could not be turned into text
    ptnFailed = 65535,
  };

  // Binary text of this many characters or more is stored in pieces.
  static constexpr int kBinarySplitLength = 251;
  static constexpr int kBinaryPieceLength = 250;
  // Nodes this deep (the root is 1) load no children: as deep as a
  // registry may go, and a stored tree cannot exhaust the stack.
  static constexpr int kMaxLoadDepth = 512;

  SECPersistentTreeNode();
  ~SECPersistentTreeNode() override;
  SECPersistentTreeNode(const SECPersistentTreeNode&) = delete;
  SECPersistentTreeNode& operator=(const SECPersistentTreeNode&) = delete;

  virtual DWORD CreateNode(LPCTSTR lpszName, SECPersistentTreeNode* pParent);
  virtual DWORD SetKeyInt(LPCTSTR lpszKey, int nValue, BOOL bOverwrite = TRUE);
  virtual DWORD SetKeyString(LPCTSTR lpszKey, LPCTSTR lpszValue, BOOL bOverwrite = TRUE);
  virtual DWORD SetKeyBool(LPCTSTR lpszKey, BOOL bValue, BOOL bOverwrite = TRUE);
  // Text of 251 characters or more goes to key + "_BinCount" and the pieces
  // key + "_BinVal0", "_BinVal1", ... of 250 characters; writing one form
  // removes what is left of the other.
  virtual DWORD SetKeyBinary(LPCTSTR lpszKey, const BYTE* pData, UINT nBytes, BOOL bOverwrite = TRUE);
  virtual DWORD RemoveKey(LPCTSTR lpszKey);
  // The readers put the default into the out value, then the stored value
  // when the key is present (0), else return ptnKeyMissing.
  virtual DWORD GetKeyString(LPCTSTR lpszKey, CString& strValue, LPCTSTR lpszDefault = nullptr) const;
  virtual DWORD GetKeyInt(LPCTSTR lpszKey, int& nValue, int nDefault = 0) const;
  virtual DWORD GetKeyUInt(LPCTSTR lpszKey, UINT& nValue, UINT nDefault = 0) const;
  virtual DWORD GetKeyLong(LPCTSTR lpszKey, LONG& lValue, LONG lDefault = 0) const;
  virtual DWORD GetKeyDWord(LPCTSTR lpszKey, DWORD& dwValue, DWORD dwDefault = 0) const;
  // TRUE exactly for "TRUE" in any letter case.
  virtual DWORD GetKeyBool(LPCTSTR lpszKey, BOOL& bValue, BOOL bDefault = FALSE) const;
  // *ppData gets a new[] block the caller delete[]s.
  virtual DWORD GetKeyBinary(LPCTSTR lpszKey, BYTE** ppData, UINT* pnBytes) const;
  virtual BOOL SaveTree(SECPTNStrategy* pStrategy);
  virtual BOOL LoadTree(SECPTNStrategy* pStrategy);
  virtual DWORD AddChild(SECPersistentTreeNode* pChild);

  SECPersistentTreeNode* FindChild(LPCTSTR lpszName) const;
  SECPersTreeNodeKeyValuePair* FindKey(LPCTSTR lpszKey) const;
  // The node names from the root down to this node.
  void GetPath(CStringList& path) const;
  void GetChildNames(CStringList& names) const;

  const CString& GetName() const { return m_strName; }
  SECPersistentTreeNode* GetParent() const { return m_pParent; }
  BOOL IsCreated() const { return m_bCreated; }
  SECPTNFactory& GetFactory() { return m_factory; }
  const CTypedPtrList<CPtrList, SECPersistentTreeNode*>& GetChildren() const { return m_children; }
  const CTypedPtrList<CPtrList, SECPersTreeNodeKeyValuePair*>& GetKeyValuePairs() const { return m_pairs; }

 protected:
  DWORD WriteChecks(LPCTSTR lpszKey, BOOL bExists, BOOL bOverwrite) const;
  void RemoveBinaryPieces(const CString& strKey, int nFirstPiece);
  BOOL ReadBinaryText(const CString& strKey, CString& strText, DWORD& dwCode) const;
  void DetachFromParent();
  int Depth() const;

  CString m_strName;
  SECPersistentTreeNode* m_pParent = nullptr;
  SECPTNFactory m_factory;
  CTypedPtrList<CPtrList, SECPersistentTreeNode*> m_children;     // not owned
  CTypedPtrList<CPtrList, SECPersTreeNodeKeyValuePair*> m_pairs;  // owned
  BOOL m_bCreated = FALSE;
};
