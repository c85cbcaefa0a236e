// SECPTNFactory: creates the nodes (and other objects) of a persistent
// setting tree and destroys every one of them when it is destroyed.
#pragma once

#include "platform/base/afxcoll.h"
#include "platform/base/cobject.h"
#include "platform/base/windef.h"

class SECPersistentTreeNode;

class SECPTNFactory {
 public:
  SECPTNFactory() = default;
  virtual ~SECPTNFactory();
  SECPTNFactory(const SECPTNFactory&) = delete;
  SECPTNFactory& operator=(const SECPTNFactory&) = delete;

  // A new object of the class, kept in the list; NULL when the class cannot
  // create objects.
  CObject* CreateObject(CRuntimeClass* pClass);
  // A created node (class NULL: SECPersistentTreeNode) named and put under
  // the parent; NULL (and nothing kept) when the node refuses.
  SECPersistentTreeNode* CreateNode(LPCTSTR lpszName, SECPersistentTreeNode* pParent,
                                    CRuntimeClass* pClass = nullptr);
  // Destroys an object of the list; FALSE for NULL or another object.
  BOOL DestroyObject(CObject* pObject);

  int GetCount() const { return m_objects.GetCount(); }

 protected:
  CTypedPtrList<CPtrList, CObject*> m_objects;
};
