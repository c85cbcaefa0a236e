#include "platform/base/afxcoll.h"

#include <cstring>

template <>
UINT HashKey<LPCTSTR>(LPCTSTR key) {
  UINT nHash = 0;
  if (key) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(key); *p; ++p) {
      nHash = (nHash << 5) + nHash + *p;
    }
  }
  return nHash;
}

template <>
UINT HashKey<const CString&>(const CString& key) {
  return HashKey<LPCTSTR>(key);
}

template <>
UINT HashKey<CString>(CString key) {
  return HashKey<LPCTSTR>(key);
}

IMPLEMENT_DYNCREATE(CObList, CObject)
IMPLEMENT_DYNCREATE(CPtrList, CObject)
IMPLEMENT_DYNCREATE(CStringList, CObject)
IMPLEMENT_DYNCREATE(CObArray, CObject)
IMPLEMENT_DYNCREATE(CPtrArray, CObject)
IMPLEMENT_DYNCREATE(CStringArray, CObject)
IMPLEMENT_DYNCREATE(CDWordArray, CObject)
IMPLEMENT_DYNCREATE(CWordArray, CObject)
IMPLEMENT_DYNCREATE(CByteArray, CObject)
IMPLEMENT_DYNCREATE(CUIntArray, CObject)
IMPLEMENT_DYNCREATE(CMapStringToPtr, CObject)
IMPLEMENT_DYNCREATE(CMapStringToOb, CObject)
IMPLEMENT_DYNCREATE(CMapStringToString, CObject)
IMPLEMENT_DYNCREATE(CMapPtrToPtr, CObject)
IMPLEMENT_DYNCREATE(CMapPtrToWord, CObject)
IMPLEMENT_DYNCREATE(CMapWordToPtr, CObject)
IMPLEMENT_DYNCREATE(CMapWordToOb, CObject)
