// CTypedPtrList, CTypedPtrArray and CTypedPtrMap: type-safe views over the
// pointer collections (CObList/CPtrList, CObArray/CPtrArray, the maps).
#pragma once

#include "platform/base/coll_list.h"

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
 public:
  explicit CTypedPtrList(int nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

  TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
  TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
  TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
  TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
  TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
  TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
  POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
  POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
  void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
  void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
  TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
  TYPE GetNext(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetNext(rPosition)); }
  TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
  TYPE GetPrev(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(rPosition)); }
  TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
  TYPE GetAt(POSITION position) const { return static_cast<TYPE>(BASE_CLASS::GetAt(position)); }
  void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
  POSITION InsertBefore(POSITION pos, TYPE newElement) { return BASE_CLASS::InsertBefore(pos, newElement); }
  POSITION InsertAfter(POSITION pos, TYPE newElement) { return BASE_CLASS::InsertAfter(pos, newElement); }
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
 public:
  TYPE GetAt(int nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
  TYPE& ElementAt(int nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
  void SetAt(int nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
  void SetAtGrow(int nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
  int Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
  int Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
  void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
  void InsertAt(int nIndex, TYPE newElement, int nCount = 1) {
    BASE_CLASS::InsertAt(nIndex, newElement, nCount);
  }
  void InsertAt(int nStartIndex, CTypedPtrArray* pNewArray) { BASE_CLASS::InsertAt(nStartIndex, pNewArray); }
  TYPE operator[](int nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](int nIndex) { return ElementAt(nIndex); }
};

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS {
 public:
  explicit CTypedPtrMap(int nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

  template <class K>
  BOOL Lookup(K key, VALUE& rValue) const {
    return BASE_CLASS::Lookup(key, reinterpret_cast<typename BASE_CLASS::BASE_VALUE&>(rValue));
  }
  template <class K>
  VALUE& operator[](K key) {
    return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key));
  }
  template <class K>
  void SetAt(K key, VALUE newValue) {
    BASE_CLASS::SetAt(key, newValue);
  }
  template <class K>
  BOOL RemoveKey(K key) {
    return BASE_CLASS::RemoveKey(key);
  }
  void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const {
    typename BASE_CLASS::BASE_KEY k{};
    typename BASE_CLASS::BASE_VALUE v{};
    BASE_CLASS::GetNextAssoc(rPosition, k, v);
    rKey = static_cast<KEY>(k);
    rValue = static_cast<VALUE>(v);
  }
};
