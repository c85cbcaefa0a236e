// CArray<TYPE, ARG_TYPE>: a growable array with MFC's index operations.
// New elements are value-initialised (zero for plain types).
#pragma once

#include <vector>

#include "platform/base/afxdebug.h"
#include "platform/base/cobject.h"

template <class TYPE, class ARG_TYPE>
class CArray : public CObject {
 public:
  CArray() = default;
  CArray(const CArray&) = delete;
  CArray& operator=(const CArray&) = delete;

  int GetSize() const { return static_cast<int>(m_data.size()); }
  int GetCount() const { return GetSize(); }
  BOOL IsEmpty() const { return m_data.empty(); }
  int GetUpperBound() const { return GetSize() - 1; }
  void SetSize(int nNewSize, int nGrowBy = -1) {
    if (nGrowBy >= 0) m_nGrowBy = nGrowBy;
    m_data.resize(nNewSize > 0 ? nNewSize : 0);
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
  void RemoveAll() { m_data.clear(); }

  TYPE GetAt(int nIndex) const { return InRange(nIndex) ? m_data[nIndex] : TYPE(); }
  void SetAt(int nIndex, ARG_TYPE newElement) {
    if (InRange(nIndex)) m_data[nIndex] = newElement;
  }
  TYPE& ElementAt(int nIndex) { return InRange(nIndex) ? m_data[nIndex] : Spare(); }
  const TYPE& ElementAt(int nIndex) const { return InRange(nIndex) ? m_data[nIndex] : Spare(); }
  TYPE& operator[](int nIndex) { return ElementAt(nIndex); }
  TYPE operator[](int nIndex) const { return GetAt(nIndex); }
  const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
  TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

  // Sets the element, growing the array up to it first.
  void SetAtGrow(int nIndex, ARG_TYPE newElement) {
    if (nIndex < 0) {
      ASSERT(nIndex >= 0);
      return;
    }
    if (nIndex >= GetSize()) SetSize(nIndex + 1);
    m_data[nIndex] = newElement;
  }
  int Add(ARG_TYPE newElement) {
    int at = GetSize();
    SetAtGrow(at, newElement);
    return at;
  }
  // Appends the other array; returns the index of its first element here.
  int Append(const CArray& src) {
    int at = GetSize();
    if (&src == this) {
      std::vector<TYPE> copy(m_data);
      m_data.insert(m_data.end(), copy.begin(), copy.end());
    } else {
      m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    }
    return at;
  }
  void Copy(const CArray& src) {
    if (&src != this) m_data = src.m_data;
  }

  // Inserts nCount copies; past the end, the array grows up to nIndex first.
  void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1) {
    if (nIndex < 0 || nCount <= 0) {
      ASSERT(nIndex >= 0 && nCount > 0);
      return;
    }
    TYPE value = newElement;  // may live in this array
    if (nIndex >= GetSize()) SetSize(nIndex);
    m_data.insert(m_data.begin() + nIndex, nCount, value);
  }
  void InsertAt(int nStartIndex, CArray* pNewArray) {
    if (!pNewArray || nStartIndex < 0) return;
    std::vector<TYPE> copy(pNewArray->m_data);
    if (nStartIndex >= GetSize()) SetSize(nStartIndex);
    m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
  }
  void RemoveAt(int nIndex, int nCount = 1) {
    if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize()) {
      ASSERT(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= GetSize());
      if (nIndex < 0 || nIndex >= GetSize() || nCount <= 0) return;
      nCount = GetSize() - nIndex;
    }
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
  }

 protected:
  bool InRange(int nIndex) const {
    if (nIndex >= 0 && nIndex < GetSize()) return true;
    ASSERT(nIndex >= 0 && nIndex < GetSize());
    return false;
  }
  // An index out of range is a caller's fault: report it and hand out a
  // spare element rather than touch foreign memory.
  TYPE& Spare() const {
    m_spare = TYPE();
    return m_spare;
  }

  std::vector<TYPE> m_data;
  int m_nGrowBy = -1;
  mutable TYPE m_spare = TYPE();
};
