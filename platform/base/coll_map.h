// CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>: a hash map with MFC's interface and
// MFC's layout: a fixed table of buckets (17 unless InitHashTable says
// otherwise), new entries at the head of their bucket, iteration bucket by
// bucket, so the order of GetNextAssoc is the one MFC programs saw.
#pragma once

#include <type_traits>
#include <vector>

#include "platform/base/coll_list.h"
#include "platform/base/cstring.h"

template <class ARG_KEY>
inline UINT HashKey(ARG_KEY key) {
  using K = std::remove_cv_t<std::remove_reference_t<ARG_KEY>>;
  if constexpr (std::is_pointer_v<K>) {
    return static_cast<UINT>(reinterpret_cast<DWORD_PTR>(key) >> 4);
  } else {
    static_assert(std::is_integral_v<K> || std::is_enum_v<K>, "give HashKey for this key type");
    return static_cast<UINT>(static_cast<DWORD_PTR>(key) >> 4);
  }
}
// Strings hash by their bytes up to the first NUL.
template <>
UINT HashKey<LPCTSTR>(LPCTSTR key);
template <>
UINT HashKey<const CString&>(const CString& key);
template <>
UINT HashKey<CString>(CString key);

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
 protected:
  struct CAssoc {
    CAssoc* pNext;
    UINT nHashValue;  // bucket index
    KEY key;
    VALUE value;
  };

 public:
  typedef KEY BASE_KEY;
  typedef ARG_KEY BASE_ARG_KEY;
  typedef VALUE BASE_VALUE;
  typedef ARG_VALUE BASE_ARG_VALUE;

  explicit CMap(int nBlockSize = 10) {}
  CMap(const CMap&) = delete;
  CMap& operator=(const CMap&) = delete;
  ~CMap() { RemoveAll(); }

  int GetCount() const { return m_nCount; }
  int GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
    CAssoc* a = Find(key, Bucket(key));
    if (!a) return FALSE;
    rValue = a->value;
    return TRUE;
  }
  // The value of key, added (value-initialised) when missing.
  VALUE& operator[](ARG_KEY key) {
    UINT bucket = Bucket(key);
    if (CAssoc* a = Find(key, bucket)) return a->value;
    if (m_table.empty()) m_table.assign(m_nHashTableSize, nullptr);
    CAssoc* a = new CAssoc{m_table[bucket], bucket, KEY(), VALUE()};
    a->key = key;
    m_table[bucket] = a;
    ++m_nCount;
    return a->value;
  }
  void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(ARG_KEY key) {
    if (m_table.empty()) return FALSE;
    for (CAssoc** link = &m_table[Bucket(key)]; *link; link = &(*link)->pNext) {
      if (CompareElements(&(*link)->key, &key)) {
        CAssoc* gone = *link;
        *link = gone->pNext;
        delete gone;
        --m_nCount;
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll() {
    for (CAssoc*& head : m_table) {
      while (head) {
        CAssoc* next = head->pNext;
        delete head;
        head = next;
      }
    }
    m_table.clear();
    m_nCount = 0;
  }

  POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
    CAssoc* a =
        rNextPosition == BEFORE_START_POSITION ? FirstFrom(0) : reinterpret_cast<CAssoc*>(rNextPosition);
    if (!a) {
      ASSERT(a != nullptr);
      rNextPosition = nullptr;
      rKey = KEY();
      rValue = VALUE();
      return;
    }
    rKey = a->key;
    rValue = a->value;
    CAssoc* next = a->pNext ? a->pNext : FirstFrom(a->nHashValue + 1);
    rNextPosition = reinterpret_cast<POSITION>(next);
  }

  UINT GetHashTableSize() const { return m_nHashTableSize; }
  // Takes effect while the map is empty, as in MFC.
  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE) {
    if (m_nCount != 0 || hashSize == 0) return;
    m_table.clear();
    m_nHashTableSize = hashSize;
    if (bAllocNow) m_table.assign(hashSize, nullptr);
  }

 protected:
  UINT Bucket(ARG_KEY key) const { return HashKey<ARG_KEY>(key) % m_nHashTableSize; }
  CAssoc* Find(ARG_KEY key, UINT bucket) const {
    if (m_table.empty()) return nullptr;
    for (CAssoc* a = m_table[bucket]; a; a = a->pNext) {
      if (CompareElements(&a->key, &key)) return a;
    }
    return nullptr;
  }
  CAssoc* FirstFrom(UINT bucket) const {
    for (UINT b = bucket; b < m_table.size(); ++b) {
      if (m_table[b]) return m_table[b];
    }
    return nullptr;
  }

  std::vector<CAssoc*> m_table;
  UINT m_nHashTableSize = 17;
  int m_nCount = 0;
};
