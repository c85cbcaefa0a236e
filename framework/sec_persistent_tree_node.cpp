#include "framework/sec_persistent_tree_node.h"

IMPLEMENT_DYNCREATE(SECPersistentTreeNode, CObject)

SECPersistentTreeNode::SECPersistentTreeNode() = default;

SECPersistentTreeNode::~SECPersistentTreeNode() {
  // Children outlive their list (the factory goes last): let go of them.
  for (POSITION pos = m_children.GetHeadPosition(); pos;) m_children.GetNext(pos)->m_pParent = nullptr;
  m_children.RemoveAll();
  DetachFromParent();
  while (!m_pairs.IsEmpty()) delete m_pairs.RemoveHead();
}

void SECPersistentTreeNode::DetachFromParent() {
  if (!m_pParent) return;
  if (POSITION pos = m_pParent->m_children.Find(this)) m_pParent->m_children.RemoveAt(pos);
  m_pParent = nullptr;
}

DWORD SECPersistentTreeNode::CreateNode(LPCTSTR lpszName, SECPersistentTreeNode* pParent) {
  DWORD code = 0;
  if (m_bCreated) code |= ptnAlreadyCreated;
  if (!lpszName || !*lpszName) code |= ptnBadName;
  if (code) return code;
  CString oldName = m_strName;
  m_strName = lpszName;
  if (pParent) {
    DWORD added = pParent->AddChild(this);
    if (added) {
      m_strName = oldName;
      return (added & ptnChildExists) ? ptnChildExists : ptnFailed;
    }
  }
  m_pParent = pParent;
  m_bCreated = TRUE;
  return 0;
}

DWORD SECPersistentTreeNode::AddChild(SECPersistentTreeNode* pChild) {
  DWORD code = 0;
  if (!m_bCreated) code |= ptnNotCreated;
  if (!pChild) code |= ptnBadName;
  if (code) return code;
  if (FindChild(pChild->m_strName)) return ptnChildExists;
  m_children.AddTail(pChild);
  return 0;
}

SECPersistentTreeNode* SECPersistentTreeNode::FindChild(LPCTSTR lpszName) const {
  if (!lpszName || !*lpszName) return nullptr;
  for (POSITION pos = m_children.GetHeadPosition(); pos;) {
    SECPersistentTreeNode* child = m_children.GetNext(pos);
    if (child->m_strName.Compare(lpszName) == 0) return child;
  }
  return nullptr;
}

SECPersistentTreeNode::SECPersTreeNodeKeyValuePair* SECPersistentTreeNode::FindKey(LPCTSTR lpszKey) const {
  if (!lpszKey || !*lpszKey) return nullptr;
  for (POSITION pos = m_pairs.GetHeadPosition(); pos;) {
    SECPersTreeNodeKeyValuePair* pair = m_pairs.GetNext(pos);
    if (pair->m_strKey.Compare(lpszKey) == 0) return pair;
  }
  return nullptr;
}

void SECPersistentTreeNode::GetPath(CStringList& path) const {
  path.RemoveAll();
  for (const SECPersistentTreeNode* node = this; node; node = node->m_pParent) path.AddHead(node->m_strName);
}

int SECPersistentTreeNode::Depth() const {
  int depth = 0;
  for (const SECPersistentTreeNode* node = this; node; node = node->m_pParent) ++depth;
  return depth;
}

void SECPersistentTreeNode::GetChildNames(CStringList& names) const {
  names.RemoveAll();
  for (POSITION pos = m_children.GetHeadPosition(); pos;) names.AddTail(m_children.GetNext(pos)->m_strName);
}

// Deletes the node's stored data, writes its pairs and child list, then each
// child. The result is that of the children's saves.
BOOL SECPersistentTreeNode::SaveTree(SECPTNStrategy* pStrategy) {
  if (!m_bCreated || !pStrategy) return FALSE;
  CStringList path, childNames;
  GetPath(path);
  GetChildNames(childNames);
  pStrategy->DeleteNode(path);
  for (POSITION pos = m_pairs.GetHeadPosition(); pos;) {
    const SECPersTreeNodeKeyValuePair* pair = m_pairs.GetNext(pos);
    pStrategy->WriteKeyValue(path, pair->m_strKey, pair->m_strValue);
  }
  pStrategy->WriteChildList(path, childNames);
  BOOL result = TRUE;
  for (POSITION pos = m_children.GetHeadPosition(); pos;)
    if (!m_children.GetNext(pos)->SaveTree(pStrategy)) result = FALSE;
  return result;
}

// Adds the stored pairs (overwriting) and creates the stored children
// through the node's factory; a child that cannot be created is skipped.
BOOL SECPersistentTreeNode::LoadTree(SECPTNStrategy* pStrategy) {
  if (!m_bCreated || !pStrategy) return FALSE;
  CStringList path, childNames, keys, values;
  GetPath(path);
  if (!pStrategy->ReadNode(path, childNames, keys, values)) return FALSE;
  POSITION keyPos = keys.GetHeadPosition(), valuePos = values.GetHeadPosition();
  while (keyPos && valuePos) {
    const CString& key = keys.GetNext(keyPos);
    SetKeyString(key, values.GetNext(valuePos), TRUE);
  }
  if (Depth() >= kMaxLoadDepth) return TRUE;
  for (POSITION pos = childNames.GetHeadPosition(); pos;) {
    if (SECPersistentTreeNode* child = m_factory.CreateNode(childNames.GetNext(pos), this))
      child->LoadTree(pStrategy);
  }
  return TRUE;
}
