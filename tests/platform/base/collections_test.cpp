#include "platform/base/afxcoll.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

template <class LIST>
std::string Join(const LIST& list) {
  std::string out;
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    out += std::string(list.GetNext(pos));
    out += ' ';
  }
  return out;
}

std::string JoinBackwards(const CStringList& list) {
  std::string out;
  for (POSITION pos = list.GetTailPosition(); pos;) out += std::string(list.GetPrev(pos)) + ' ';
  return out;
}

TEST(CList, AddInsertRemoveKeepOrderBothWays) {
  CStringList list;
  POSITION b = list.AddTail("b");
  list.AddHead("a");
  POSITION d = list.AddTail(CString("d"));
  list.InsertAfter(b, "c");
  list.InsertBefore(list.GetHeadPosition(), "_");
  list.InsertAfter(nullptr, "e");   // NULL: at the tail
  list.InsertBefore(nullptr, "^");  // NULL: at the head
  EXPECT_EQ(Join(list), "^ _ a b c d e ");
  EXPECT_EQ(JoinBackwards(list), "e d c b a _ ^ ");
  EXPECT_EQ(list.GetCount(), 7);

  list.RemoveAt(b);
  EXPECT_EQ(list.RemoveHead(), "^");
  EXPECT_EQ(list.RemoveTail(), "e");
  EXPECT_EQ(Join(list), "_ a c d ");
  EXPECT_EQ(list.GetAt(d), "d");  // untouched positions stay valid
  list.SetAt(d, "D");
  EXPECT_EQ(list.GetTail(), "D");
  EXPECT_EQ(list.GetHead(), "_");
  list.RemoveAll();
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.GetHeadPosition(), nullptr);
}

TEST(CList, FindAndFindIndex) {
  CStringList list;
  list.AddTail("x");
  list.AddTail("y");
  POSITION second = list.AddTail("x");
  POSITION first = list.Find("x");
  EXPECT_EQ(list.GetAt(first), "x");
  EXPECT_NE(first, second);
  EXPECT_EQ(list.Find("x", first), second);  // search starts after the given position
  EXPECT_EQ(list.Find("x", second), nullptr);
  EXPECT_EQ(list.Find("z"), nullptr);
  EXPECT_EQ(list.FindIndex(0), first);
  EXPECT_EQ(list.FindIndex(2), second);
  EXPECT_EQ(list.FindIndex(3), nullptr);
  EXPECT_EQ(list.FindIndex(-1), nullptr);
}

TEST(CList, ListsOfListsAndValueTypes) {
  struct Env {
    CString name;
    int n = 0;
    bool operator==(const Env& o) const { return name == o.name && n == o.n; }
  };
  CList<Env, Env&> envs(10);
  Env e{"gnu", 2};
  envs.AddTail(e);
  e.name = "bcc";
  envs.AddHead(e);
  EXPECT_EQ(envs.GetHead().name, "bcc");
  EXPECT_NE(envs.Find(e), nullptr);

  CPtrList a, b;
  int x = 1, y = 2;
  a.AddTail(&x);
  b.AddTail(&y);
  a.AddTail(&b);
  a.AddHead(&b);
  EXPECT_EQ(a.GetCount(), 3);
  EXPECT_EQ(a.GetHead(), &y);
  EXPECT_EQ(a.GetTail(), &y);
  a.AddTail(&a);  // adding a list to itself is refused
  EXPECT_EQ(a.GetCount(), 3);
}

TEST(CList, MisuseIsReportedNotFatal) {
  mirt::AssertHandler old = mirt::SetAssertHandler([](const char*, int, const char*) {});
  CObList list;
  EXPECT_EQ(list.RemoveHead(), nullptr);
  EXPECT_EQ(list.RemoveTail(), nullptr);
  POSITION pos = nullptr;
  EXPECT_EQ(list.GetNext(pos), nullptr);
  EXPECT_EQ(pos, nullptr);
  list.RemoveAt(nullptr);
  EXPECT_TRUE(list.IsEmpty());
  mirt::SetAssertHandler(old);
}

TEST(CArray, GrowInsertRemove) {
  CDWordArray a;
  a.SetSize(3, 16);
  EXPECT_EQ(a.GetSize(), 3);
  EXPECT_EQ(a.GetUpperBound(), 2);
  EXPECT_EQ(a[0] + a[1] + a[2], 0u);  // new elements are zero
  EXPECT_EQ(a.Add(7), 3);
  a.SetAtGrow(6, 9);
  EXPECT_EQ(a.GetSize(), 7);
  EXPECT_EQ(a.GetAt(5), 0u);
  a.InsertAt(1, 5, 2);
  a.RemoveAt(0);
  const std::vector<DWORD> want = {5, 5, 0, 0, 7, 0, 0, 9};
  ASSERT_EQ(a.GetSize(), static_cast<int>(want.size()));
  for (int i = 0; i < a.GetSize(); ++i) EXPECT_EQ(a[i], want[i]) << i;
  a.ElementAt(0) = 1;
  a[1] = 2;
  a.SetAt(2, 3);
  EXPECT_EQ(a.GetData()[0] + a.GetData()[1] + a.GetData()[2], 6u);
  a.InsertAt(10, 4);  // past the end: grows up to the index first
  EXPECT_EQ(a.GetSize(), 11);
  EXPECT_EQ(a[10], 4u);
  a.RemoveAt(2, 8);
  EXPECT_EQ(a.GetSize(), 3);
  a.SetSize(1);
  EXPECT_EQ(a.GetSize(), 1);
  a.RemoveAll();
  EXPECT_EQ(a.GetData(), nullptr);
}

TEST(CArray, CopyAppendAndInsertArrays) {
  CStringArray a, b;
  a.Add("a");
  a.Add(CString("b"));
  b.Add("x");
  EXPECT_EQ(b.Append(a), 1);
  EXPECT_EQ(b.Append(b), 3);  // appending to itself doubles it
  ASSERT_EQ(b.GetSize(), 6);
  EXPECT_EQ(b[5], "b");
  CStringArray c;
  c.Copy(a);
  c.InsertAt(1, &a);
  EXPECT_EQ(c.GetSize(), 4);
  EXPECT_EQ(c[0] + c[1] + c[2] + c[3], "aabb");
  c.InsertAt(0, c[3]);  // an element of the array itself
  EXPECT_EQ(c[0], "b");
}

TEST(CArray, OutOfRangeIsReportedNotFatal) {
  mirt::AssertHandler old = mirt::SetAssertHandler([](const char*, int, const char*) {});
  CByteArray a;
  a.Add(1);
  EXPECT_EQ(a.GetAt(5), 0);
  EXPECT_EQ(a.GetAt(-1), 0);
  a.SetAt(3, 9);
  a.ElementAt(4) = 7;
  a.RemoveAt(0, 5);
  a.SetAtGrow(-1, 2);
  EXPECT_EQ(a.GetSize(), 0);
  mirt::SetAssertHandler(old);
}

TEST(CMap, LookupSetRemoveAndIterate) {
  CMapStringToString map;
  map.SetAt("one", "1");
  map["two"] = "2";
  map.SetAt("one", "uno");
  CString v;
  EXPECT_TRUE(map.Lookup("one", v));
  EXPECT_EQ(v, "uno");
  EXPECT_FALSE(map.Lookup("three", v));
  EXPECT_EQ(map.GetCount(), 2);
  EXPECT_FALSE(map.RemoveKey("three"));
  EXPECT_TRUE(map.RemoveKey("two"));
  EXPECT_FALSE(map.Lookup("two", v));
  EXPECT_TRUE(map.Lookup(CString("one"), v));  // CString keys work too
  map.RemoveAll();
  EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(CMap, IterationVisitsEveryEntryAndAllowsRemovingTheCurrentOne) {
  CMapWordToPtr map;
  map.InitHashTable(7);
  std::map<WORD, void*> want;
  for (WORD k = 0; k < 200; k += 3) {
    map[k] = reinterpret_cast<void*>(static_cast<uintptr_t>(k) + 1);
    want[k] = reinterpret_cast<void*>(static_cast<uintptr_t>(k) + 1);
  }
  std::map<WORD, void*> seen;
  for (POSITION pos = map.GetStartPosition(); pos;) {
    WORD k;
    void* val;
    map.GetNextAssoc(pos, k, val);
    seen[k] = val;
    map.RemoveKey(k);
  }
  EXPECT_EQ(seen, want);
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(map.GetHashTableSize(), 7u);
}

TEST(CMap, OrderFollowsBucketsAndNewestFirst) {
  // Of 17 buckets: "a" and "r" fall in 12, "b" in 13, "c" in 14.
  CMapStringToPtr map;
  for (const char* k : {"c", "a", "r", "b", "b"}) map.SetAt(k, nullptr);
  std::string order;
  for (POSITION pos = map.GetStartPosition(); pos;) {
    CString k;
    void* v;
    map.GetNextAssoc(pos, k, v);
    order += std::string(k);
  }
  EXPECT_EQ(order, "rabc");
  EXPECT_EQ(HashKey<LPCTSTR>("ab"), 97u * 33 + 98);
}

class CItem : public CObject {
 public:
  explicit CItem(int v = 0) : value(v) {}
  int value;
};

TEST(TypedPtr, ListArrayAndMapGiveTheirType) {
  CItem one(1), two(2);
  CTypedPtrList<CObList, CItem*> list;
  list.AddTail(&one);
  list.AddHead(&two);
  POSITION pos = list.GetHeadPosition();
  EXPECT_EQ(list.GetNext(pos)->value, 2);
  EXPECT_EQ(list.GetNext(pos)->value, 1);
  EXPECT_EQ(list.RemoveTail(), &one);

  CTypedPtrArray<CPtrArray, CItem*> array;
  array.Add(&one);
  array.SetAtGrow(2, &two);
  EXPECT_EQ(array[2]->value, 2);
  EXPECT_EQ(array.GetAt(1), nullptr);
  array[1] = &one;
  EXPECT_EQ(array.ElementAt(1)->value, 1);

  CTypedPtrMap<CMapStringToOb, CString, CItem*> map;
  map.SetAt("one", &one);
  map["two"] = &two;
  CItem* found = nullptr;
  EXPECT_TRUE(map.Lookup("two", found));
  EXPECT_EQ(found, &two);
  int sum = 0;
  for (POSITION p = map.GetStartPosition(); p;) {
    CString key;
    CItem* item;
    map.GetNextAssoc(p, key, item);
    sum += item->value;
  }
  EXPECT_EQ(sum, 3);
  EXPECT_TRUE(map.RemoveKey("one"));
}

TEST(NamedCollections, AreCreatableByName) {
  const char* names[] = {
      "CObList",         "CPtrList",       "CStringList",        "CObArray",     "CPtrArray",
      "CStringArray",    "CDWordArray",    "CWordArray",         "CByteArray",   "CUIntArray",
      "CMapStringToPtr", "CMapStringToOb", "CMapStringToString", "CMapPtrToPtr", "CMapPtrToWord",
      "CMapWordToPtr",   "CMapWordToOb"};
  for (const char* name : names) {
    CObject* made = CRuntimeClass::CreateObject(name);
    ASSERT_NE(made, nullptr) << name;
    EXPECT_STREQ(made->GetRuntimeClass()->m_lpszClassName, name);
    delete made;
  }
}

}  // namespace
