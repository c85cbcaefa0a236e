// The nodes of the tree control: SECTreeNode (plain links), SECTreeNodeX
// (one level may be hidden from navigation) and _Node (a tree item). A
// node owns its children; nothing here knows about windows.
#pragma once

#include "platform/afx/afx.h"
#include "platform/ui/commctrl.h"

class SECTreeNode {
 public:
  // Where AddChild links the new child (or a child to insert after).
  static inline SECTreeNode* const kFirst = nullptr;
  static inline SECTreeNode* const kLast = reinterpret_cast<SECTreeNode*>(1);

  SECTreeNode() = default;
  SECTreeNode(const SECTreeNode&) = delete;
  SECTreeNode& operator=(const SECTreeNode&) = delete;
  virtual ~SECTreeNode();

  virtual SECTreeNode* GetParentNode() const { return m_pParent; }
  virtual SECTreeNode* GetNextSiblingNode() const { return m_pNextSibling; }
  virtual SECTreeNode* GetPrevSiblingNode() const { return m_pPrevSibling; }
  virtual SECTreeNode* GetFirstChildNode() const { return m_pFirstChild; }
  virtual BOOL MatchNode(DWORD, DWORD) const { return FALSE; }
  virtual BOOL IsExpanded() const { return FALSE; }
  virtual void SetExpanded(BOOL) {}

  WORD GetDepth() const;
  int GetStoredDepth() const;
  SECTreeNode* GetTopNode() const;
  SECTreeNode* GetLastSibling() const;
  SECTreeNode* GetLastChild() const;
  SECTreeNode* GetLastDescendant() const;
  SECTreeNode* GetFirstLeaf() const;
  // The same along the stored links only (no level hidden): constant work
  // per step, for freeing deep subtrees.
  SECTreeNode* GetFirstStoredLeaf() const;
  SECTreeNode* GetNextInOrder() const;
  SECTreeNode* GetPrevInOrder() const;
  BOOL IsAncestorOf(const SECTreeNode* pNode) const;
  void Detach();
  // where: kFirst, kLast, the value 2 (as kLast) or a child to follow.
  BOOL AddChild(SECTreeNode* pChild, SECTreeNode* pWhere);
  void MoveUp();
  // Frees the subtree leaf by leaf, without recursion.
  void DeleteAllChildren();

  // The raw links.
  SECTreeNode* m_pParent = nullptr;
  SECTreeNode* m_pNextSibling = nullptr;
  SECTreeNode* m_pPrevSibling = nullptr;
  SECTreeNode* m_pFirstChild = nullptr;
};

class SECTreeNodeX : public SECTreeNode {
 public:
  SECTreeNode* GetParentNode() const override;
  SECTreeNode* GetNextSiblingNode() const override;
  SECTreeNode* GetPrevSiblingNode() const override;
  SECTreeNode* GetFirstChildNode() const override;

  // Kept in the top node of the tree; 0 hides no level.
  WORD GetHiddenLevel() const;
  BOOL SetHiddenLevel(WORD nLevel);

  DWORD m_nHiddenLevel = 0;
};

// _Node flags.
inline constexpr DWORD kSECTreeNodeDisabled = 0x100;
inline constexpr DWORD kSECTreeNodeHidden = 0x200;
inline constexpr int kSECTreeNoImage = -12;

class _Node : public SECTreeNodeX {
 public:
  _Node();
  ~_Node() override;

  BOOL IsExpanded() const override { return (m_item.state & TVIS_EXPANDED) != 0; }
  void SetExpanded(BOOL bExpanded) override;
  virtual BOOL MatchItem(DWORD, DWORD) const { return FALSE; }

  // Replaces the owned text (nullptr and LPSTR_TEXTCALLBACK are kept as such).
  void SetText(LPCSTR lpszText);

  TV_ITEM m_item{};
  BOOL m_bHasMarker = FALSE;
  CString m_strBeforeMarker;
  CString m_strAfterMarker;
  int m_nMarkerWidth = 0;
  DWORD m_dwFlags = 0;
  int m_nRowValue = 0;
};
