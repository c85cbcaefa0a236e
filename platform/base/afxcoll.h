// The named collection classes of MFC, over the CList, CArray and CMap
// templates, and the typed-pointer views.
#pragma once

#include "platform/base/coll_array.h"
#include "platform/base/coll_list.h"
#include "platform/base/coll_map.h"
#include "platform/base/coll_typed.h"
#include "platform/base/cstring.h"

#define MIRT_NAMED_LIST(name, TYPE, ARG_TYPE)                                 \
  class name : public CList<TYPE, ARG_TYPE> {                                 \
    DECLARE_DYNCREATE(name)                                                   \
   public:                                                                    \
    explicit name(int nBlockSize = 10) : CList<TYPE, ARG_TYPE>(nBlockSize) {} \
  }

#define MIRT_NAMED_ARRAY(name, TYPE, ARG_TYPE) \
  class name : public CArray<TYPE, ARG_TYPE> { \
    DECLARE_DYNCREATE(name)                    \
  }

#define MIRT_NAMED_MAP(name, KEY, ARG_KEY, VALUE, ARG_VALUE)                                 \
  class name : public CMap<KEY, ARG_KEY, VALUE, ARG_VALUE> {                                 \
    DECLARE_DYNCREATE(name)                                                                  \
   public:                                                                                   \
    explicit name(int nBlockSize = 10) : CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>(nBlockSize) {} \
  }

MIRT_NAMED_LIST(CObList, CObject*, CObject*);
MIRT_NAMED_LIST(CPtrList, void*, void*);
MIRT_NAMED_LIST(CStringList, CString, const CString&);

MIRT_NAMED_ARRAY(CObArray, CObject*, CObject*);
MIRT_NAMED_ARRAY(CPtrArray, void*, void*);
MIRT_NAMED_ARRAY(CStringArray, CString, const CString&);
MIRT_NAMED_ARRAY(CDWordArray, DWORD, DWORD);
MIRT_NAMED_ARRAY(CWordArray, WORD, WORD);
MIRT_NAMED_ARRAY(CByteArray, BYTE, BYTE);
MIRT_NAMED_ARRAY(CUIntArray, UINT, UINT);

MIRT_NAMED_MAP(CMapStringToPtr, CString, LPCTSTR, void*, void*);
MIRT_NAMED_MAP(CMapStringToOb, CString, LPCTSTR, CObject*, CObject*);
MIRT_NAMED_MAP(CMapStringToString, CString, LPCTSTR, CString, LPCTSTR);
MIRT_NAMED_MAP(CMapPtrToPtr, void*, void*, void*, void*);
MIRT_NAMED_MAP(CMapPtrToWord, void*, void*, WORD, WORD);
MIRT_NAMED_MAP(CMapWordToPtr, WORD, WORD, void*, void*);
MIRT_NAMED_MAP(CMapWordToOb, WORD, WORD, CObject*, CObject*);

#undef MIRT_NAMED_LIST
#undef MIRT_NAMED_ARRAY
#undef MIRT_NAMED_MAP
