#include "framework/sec_ptn_factory.h"

#include "framework/sec_persistent_tree_node.h"

SECPTNFactory::~SECPTNFactory() {
  // Destroying a node may destroy further objects: take them one by one.
  while (!m_objects.IsEmpty()) delete m_objects.RemoveHead();
}

CObject* SECPTNFactory::CreateObject(CRuntimeClass* pClass) {
  CObject* object = pClass ? pClass->CreateObject() : nullptr;
  if (object) m_objects.AddTail(object);
  return object;
}

SECPersistentTreeNode* SECPTNFactory::CreateNode(LPCTSTR lpszName, SECPersistentTreeNode* pParent,
                                                 CRuntimeClass* pClass) {
  if (!pClass) pClass = RUNTIME_CLASS(SECPersistentTreeNode);
  if (!pClass->IsDerivedFrom(RUNTIME_CLASS(SECPersistentTreeNode))) return nullptr;
  auto* node = static_cast<SECPersistentTreeNode*>(CreateObject(pClass));
  if (node && node->CreateNode(lpszName, pParent) != 0) {
    DestroyObject(node);
    return nullptr;
  }
  return node;
}

BOOL SECPTNFactory::DestroyObject(CObject* pObject) {
  if (!pObject) return FALSE;
  POSITION pos = m_objects.Find(pObject);
  if (!pos) return FALSE;
  m_objects.RemoveAt(pos);
  delete pObject;
  return TRUE;
}
