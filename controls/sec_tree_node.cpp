#include "controls/sec_tree_node.h"

#include <cstring>

SECTreeNode::~SECTreeNode() { DeleteAllChildren(); }

WORD SECTreeNode::GetDepth() const {
  WORD depth = 0;
  for (const SECTreeNode* p = GetParentNode(); p; p = p->GetParentNode()) ++depth;
  return depth;
}

int SECTreeNode::GetStoredDepth() const {
  int depth = 0;
  for (const SECTreeNode* p = m_pParent; p; p = p->m_pParent) ++depth;
  return depth;
}

SECTreeNode* SECTreeNode::GetTopNode() const {
  const SECTreeNode* node = this;
  while (node->m_pParent) node = node->m_pParent;
  return const_cast<SECTreeNode*>(node);
}

SECTreeNode* SECTreeNode::GetLastSibling() const {
  const SECTreeNode* node = this;
  while (SECTreeNode* next = node->GetNextSiblingNode()) node = next;
  return const_cast<SECTreeNode*>(node);
}

SECTreeNode* SECTreeNode::GetLastChild() const {
  SECTreeNode* child = GetFirstChildNode();
  return child ? child->GetLastSibling() : nullptr;
}

SECTreeNode* SECTreeNode::GetLastDescendant() const {
  const SECTreeNode* node = this;
  while (SECTreeNode* last = node->GetLastChild()) node = last;
  return const_cast<SECTreeNode*>(node);
}

SECTreeNode* SECTreeNode::GetFirstLeaf() const {
  if (m_pFirstChild == nullptr) return nullptr;
  SECTreeNode* node = m_pFirstChild;
  while (SECTreeNode* child = node->GetFirstChildNode()) node = child;
  return node;
}

SECTreeNode* SECTreeNode::GetFirstStoredLeaf() const {
  if (m_pFirstChild == nullptr) return nullptr;
  SECTreeNode* node = m_pFirstChild;
  while (node->m_pFirstChild) node = node->m_pFirstChild;
  return node;
}

SECTreeNode* SECTreeNode::GetNextInOrder() const {
  if (SECTreeNode* child = GetFirstChildNode()) return child;
  const SECTreeNode* node = this;
  while (node) {
    if (SECTreeNode* next = node->GetNextSiblingNode()) return next;
    node = node->GetParentNode();
  }
  return nullptr;
}

SECTreeNode* SECTreeNode::GetPrevInOrder() const {
  if (SECTreeNode* prev = GetPrevSiblingNode()) return prev->GetLastDescendant();
  return GetParentNode();
}

BOOL SECTreeNode::IsAncestorOf(const SECTreeNode* pNode) const {
  if (pNode == nullptr) return FALSE;
  for (const SECTreeNode* p = pNode->GetParentNode(); p; p = p->GetParentNode()) {
    if (p == this) return TRUE;
  }
  return FALSE;
}

void SECTreeNode::Detach() {
  if (m_pPrevSibling) m_pPrevSibling->m_pNextSibling = m_pNextSibling;
  if (m_pNextSibling) m_pNextSibling->m_pPrevSibling = m_pPrevSibling;
  if (m_pParent && m_pParent->m_pFirstChild == this) m_pParent->m_pFirstChild = m_pNextSibling;
  m_pParent = nullptr;
}

BOOL SECTreeNode::AddChild(SECTreeNode* pChild, SECTreeNode* pWhere) {
  pChild->m_pParent = this;
  if (m_pFirstChild == nullptr) {
    pChild->m_pPrevSibling = pChild->m_pNextSibling = nullptr;
    m_pFirstChild = pChild;
    return TRUE;
  }
  const auto where = reinterpret_cast<UINT_PTR>(pWhere);
  if (where == 0) {
    pChild->m_pPrevSibling = nullptr;
    pChild->m_pNextSibling = m_pFirstChild;
    m_pFirstChild->m_pPrevSibling = pChild;
    m_pFirstChild = pChild;
    return TRUE;
  }
  SECTreeNode* after = m_pFirstChild;
  if (where == 1 || where == 2) {
    while (after->m_pNextSibling) after = after->m_pNextSibling;
  } else {
    while (after && after != pWhere) after = after->m_pNextSibling;
    if (after == nullptr) {
      pChild->m_pParent = nullptr;
      return FALSE;
    }
  }
  pChild->m_pPrevSibling = after;
  pChild->m_pNextSibling = after->m_pNextSibling;
  if (after->m_pNextSibling) after->m_pNextSibling->m_pPrevSibling = pChild;
  after->m_pNextSibling = pChild;
  return TRUE;
}

void SECTreeNode::MoveUp() {
  SECTreeNode* prev = GetPrevSiblingNode();
  if (prev == nullptr || prev->m_pParent != m_pParent) return;
  SECTreeNode* before = prev->m_pPrevSibling;
  SECTreeNode* after = m_pNextSibling;
  if (before) before->m_pNextSibling = this;
  if (after) after->m_pPrevSibling = prev;
  m_pPrevSibling = before;
  m_pNextSibling = prev;
  prev->m_pPrevSibling = this;
  prev->m_pNextSibling = after;
  if (m_pParent && m_pParent->m_pFirstChild == prev) m_pParent->m_pFirstChild = this;
}

void SECTreeNode::DeleteAllChildren() {
  // The next first leaf lies under the parent of the one just freed, so the
  // walk starts there instead of at the top each time.
  SECTreeNode* leaf = GetFirstStoredLeaf();
  while (leaf) {
    SECTreeNode* parent = leaf->m_pParent;
    leaf->Detach();
    delete leaf;
    if (parent == this || parent == nullptr) {
      leaf = GetFirstStoredLeaf();
    } else {
      SECTreeNode* below = parent->GetFirstStoredLeaf();
      leaf = below ? below : parent;
    }
  }
}

// ---- SECTreeNodeX: navigation with one level hidden ----

// The nodes of one tree are all of the hidden-level kind, the top included.
WORD SECTreeNodeX::GetHiddenLevel() const {
  return static_cast<WORD>(static_cast<const SECTreeNodeX*>(GetTopNode())->m_nHiddenLevel);
}

BOOL SECTreeNodeX::SetHiddenLevel(WORD nLevel) {
  static_cast<SECTreeNodeX*>(GetTopNode())->m_nHiddenLevel = nLevel;
  return TRUE;
}

SECTreeNode* SECTreeNodeX::GetParentNode() const {
  const int hidden = GetHiddenLevel();
  if (hidden != 0 && GetStoredDepth() == hidden + 1 && m_pParent) return m_pParent->m_pParent;
  return m_pParent;
}

SECTreeNode* SECTreeNodeX::GetFirstChildNode() const {
  const int hidden = GetHiddenLevel();
  if (hidden != 0 && GetStoredDepth() == hidden - 1) {
    return m_pFirstChild ? m_pFirstChild->m_pFirstChild : nullptr;
  }
  return m_pFirstChild;
}

SECTreeNode* SECTreeNodeX::GetNextSiblingNode() const {
  const int hidden = GetHiddenLevel();
  if (hidden != 0 && GetStoredDepth() == hidden + 1 && m_pNextSibling == nullptr) {
    if (m_pParent == nullptr || m_pParent->m_pNextSibling == nullptr) return nullptr;
    return m_pParent->m_pNextSibling->m_pFirstChild;
  }
  return m_pNextSibling;
}

SECTreeNode* SECTreeNodeX::GetPrevSiblingNode() const {
  const int hidden = GetHiddenLevel();
  if (hidden != 0 && GetStoredDepth() == hidden + 1 && m_pPrevSibling == nullptr) {
    if (m_pParent == nullptr || m_pParent->m_pPrevSibling == nullptr) return nullptr;
    SECTreeNode* child = m_pParent->m_pPrevSibling->m_pFirstChild;
    while (child && child->m_pNextSibling) child = child->m_pNextSibling;
    return child;
  }
  return m_pPrevSibling;
}

// ---- _Node ----

_Node::_Node() {
  m_item.iImage = kSECTreeNoImage;
  m_item.iSelectedImage = kSECTreeNoImage;
}

_Node::~_Node() { SetText(nullptr); }

void _Node::SetExpanded(BOOL bExpanded) {
  if (bExpanded)
    m_item.state |= TVIS_EXPANDED;
  else
    m_item.state &= ~static_cast<UINT>(TVIS_EXPANDED);
}

void _Node::SetText(LPCSTR lpszText) {
  if (m_item.pszText != nullptr && m_item.pszText != LPSTR_TEXTCALLBACK) delete[] m_item.pszText;
  if (lpszText == nullptr || lpszText == LPSTR_TEXTCALLBACK) {
    m_item.pszText = const_cast<LPSTR>(lpszText);
    return;
  }
  const size_t size = std::strlen(lpszText) + 1;
  m_item.pszText = new char[size];
  std::memcpy(m_item.pszText, lpszText, size);
}
