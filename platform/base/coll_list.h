// CList<TYPE, ARG_TYPE>: a doubly linked list with MFC's POSITION cursors.
// A POSITION names one node and stays valid while other nodes come and go.
#pragma once

#include "platform/base/afxdebug.h"
#include "platform/base/cobject.h"

struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

// Equality of two elements, used by Find and the maps.
template <class TYPE, class ARG>
inline BOOL CompareElements(const TYPE* pElement1, const ARG* pElement2) {
  return *pElement1 == *pElement2;
}

template <class TYPE, class ARG_TYPE>
class CList : public CObject {
 protected:
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    TYPE data;
  };

 public:
  explicit CList(int nBlockSize = 10) {}
  CList(const CList&) = delete;
  CList& operator=(const CList&) = delete;
  ~CList() { RemoveAll(); }

  int GetCount() const { return m_nCount; }
  int GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return Checked(m_pNodeHead)->data; }
  const TYPE& GetHead() const { return Checked(m_pNodeHead)->data; }
  TYPE& GetTail() { return Checked(m_pNodeTail)->data; }
  const TYPE& GetTail() const { return Checked(m_pNodeTail)->data; }

  TYPE RemoveHead() { return Take(m_pNodeHead); }
  TYPE RemoveTail() { return Take(m_pNodeTail); }
  POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(nullptr, newElement); }
  POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(nullptr, newElement); }
  void AddHead(CList* pNewList) {
    if (!pNewList || pNewList == this) return;
    for (CNode* n = pNewList->m_pNodeTail; n; n = n->pPrev) AddHead(n->data);
  }
  void AddTail(CList* pNewList) {
    if (!pNewList || pNewList == this) return;
    for (CNode* n = pNewList->m_pNodeHead; n; n = n->pNext) AddTail(n->data);
  }
  void RemoveAll() {
    for (CNode* n = m_pNodeHead; n;) {
      CNode* next = n->pNext;
      delete n;
      n = next;
    }
    m_pNodeHead = m_pNodeTail = nullptr;
    m_nCount = 0;
  }

  POSITION GetHeadPosition() const { return AsPos(m_pNodeHead); }
  POSITION GetTailPosition() const { return AsPos(m_pNodeTail); }
  TYPE& GetNext(POSITION& rPosition) { return Step(rPosition, true)->data; }
  const TYPE& GetNext(POSITION& rPosition) const { return Step(rPosition, true)->data; }
  TYPE& GetPrev(POSITION& rPosition) { return Step(rPosition, false)->data; }
  const TYPE& GetPrev(POSITION& rPosition) const { return Step(rPosition, false)->data; }

  TYPE& GetAt(POSITION position) { return Checked(AsNode(position))->data; }
  const TYPE& GetAt(POSITION position) const { return Checked(AsNode(position))->data; }
  void SetAt(POSITION pos, ARG_TYPE newElement) { Checked(AsNode(pos))->data = newElement; }
  void RemoveAt(POSITION position) {
    CNode* n = AsNode(position);
    if (!n) {
      ASSERT(n != nullptr);
      return;
    }
    Unlink(n);
    delete n;
  }

  // A NULL position inserts at the head (InsertBefore) or tail (InsertAfter).
  POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
    CNode* at = AsNode(position);
    CNode* n = NewNode(newElement);
    CNode* prev = at ? at->pPrev : nullptr;
    CNode* next = at ? at : m_pNodeHead;
    Link(n, prev, next);
    return AsPos(n);
  }
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
    CNode* at = AsNode(position);
    CNode* n = NewNode(newElement);
    CNode* prev = at ? at : m_pNodeTail;
    CNode* next = at ? at->pNext : nullptr;
    Link(n, prev, next);
    return AsPos(n);
  }

  // The first match after startAfter (from the head when NULL).
  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const {
    CNode* n = startAfter ? AsNode(startAfter)->pNext : m_pNodeHead;
    for (; n; n = n->pNext) {
      if (CompareElements(&n->data, &searchValue)) return AsPos(n);
    }
    return nullptr;
  }
  POSITION FindIndex(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
    CNode* n = m_pNodeHead;
    while (nIndex-- > 0) n = n->pNext;
    return AsPos(n);
  }

 protected:
  static CNode* AsNode(POSITION pos) { return reinterpret_cast<CNode*>(pos); }
  static POSITION AsPos(CNode* node) { return reinterpret_cast<POSITION>(node); }

  // A bad cursor is a caller's fault: report it and hand out a spare
  // element rather than touch foreign memory.
  CNode* Checked(CNode* n) const {
    if (n) return n;
    ASSERT(n != nullptr);
    m_spare.data = TYPE();
    return &m_spare;
  }
  CNode* Step(POSITION& rPosition, bool forward) const {
    CNode* n = Checked(AsNode(rPosition));
    rPosition = n == &m_spare ? nullptr : AsPos(forward ? n->pNext : n->pPrev);
    return n;
  }
  CNode* NewNode(ARG_TYPE value) {
    CNode* n = new CNode{nullptr, nullptr, TYPE()};
    n->data = value;
    return n;
  }
  void Link(CNode* n, CNode* prev, CNode* next) {
    n->pPrev = prev;
    n->pNext = next;
    (prev ? prev->pNext : m_pNodeHead) = n;
    (next ? next->pPrev : m_pNodeTail) = n;
    ++m_nCount;
  }
  void Unlink(CNode* n) {
    (n->pPrev ? n->pPrev->pNext : m_pNodeHead) = n->pNext;
    (n->pNext ? n->pNext->pPrev : m_pNodeTail) = n->pPrev;
    --m_nCount;
  }
  TYPE Take(CNode* n) {
    if (!n) {
      ASSERT(n != nullptr);
      return TYPE();
    }
    TYPE value = n->data;
    Unlink(n);
    delete n;
    return value;
  }

  CNode* m_pNodeHead = nullptr;
  CNode* m_pNodeTail = nullptr;
  int m_nCount = 0;
  mutable CNode m_spare{nullptr, nullptr, TYPE()};
};
