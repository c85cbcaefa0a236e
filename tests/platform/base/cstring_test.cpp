#include "platform/base/cstring.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Bytes(const CString& s) { return std::string(static_cast<LPCTSTR>(s), s.GetLength()); }

TEST(CString, ConstructorsAndNullSafety) {
  EXPECT_EQ(Bytes(CString()), "");
  EXPECT_EQ(Bytes(CString(static_cast<LPCTSTR>(nullptr))), "");
  EXPECT_EQ(Bytes(CString("abc", 2)), "ab");
  EXPECT_EQ(Bytes(CString('x', 3)), "xxx");
  EXPECT_EQ(Bytes(CString('x', -1)), "");
  CString s;
  s = static_cast<LPCTSTR>(nullptr);
  EXPECT_TRUE(s.IsEmpty());
  s += static_cast<LPCTSTR>(nullptr);
  EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, EmbeddedNulSurvivesCopyConcatAndExtraction) {
  CString s("a\0b", 3);
  CString copy = s;
  copy += CString("\0c", 2);
  EXPECT_EQ(copy.GetLength(), 5);
  EXPECT_EQ(Bytes(copy), std::string("a\0b\0c", 5));
  EXPECT_EQ(Bytes(copy.Mid(1, 3)), std::string("\0b\0", 3));
  EXPECT_EQ(Bytes(copy.Right(2)), std::string("\0c", 2));
  EXPECT_NE(s, CString("a"));    // full bytes compared between CStrings
  EXPECT_EQ(s.Compare("a"), 0);  // a C string stops at its NUL
}

TEST(CString, ConcatenationAllCombinations) {
  CString a("ab");
  EXPECT_EQ(Bytes(a + CString("cd")), "abcd");
  EXPECT_EQ(Bytes(a + "cd"), "abcd");
  EXPECT_EQ(Bytes("cd" + a), "cdab");
  EXPECT_EQ(Bytes(a + 'c'), "abc");
  EXPECT_EQ(Bytes('c' + a), "cab");
  a += 'x';
  a += "yz";
  EXPECT_EQ(Bytes(a), "abxyz");
}

TEST(CString, ComparisonOperatorsBothSides) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  const Case cases[] = {
      {"abc", "abc", 0}, {"abc", "abd", -1}, {"b", "abc", 1},
      {"", "a", -1},     {"\xe9", "z", 1},  // bytes compare unsigned
  };
  for (const Case& c : cases) {
    CString a(c.a), b(c.b);
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    EXPECT_EQ(a.Compare(c.b), c.sign);
    EXPECT_EQ(a == b, c.sign == 0);
    EXPECT_EQ(a == c.b, c.sign == 0);
    EXPECT_EQ(c.a == b, c.sign == 0);
    EXPECT_EQ(a != c.b, c.sign != 0);
    EXPECT_EQ(a < b, c.sign < 0);
    EXPECT_EQ(c.a < b, c.sign < 0);
    EXPECT_EQ(a > c.b, c.sign > 0);
    EXPECT_EQ(c.a > b, c.sign > 0);
    EXPECT_EQ(a <= c.b, c.sign <= 0);
    EXPECT_EQ(c.a >= b, c.sign >= 0);
  }
}

TEST(CString, CompareNoCase) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  const Case cases[] = {
      {"Hello", "hELLO", 0},         {"abc", "ABD", -1}, {"_", "A", -1},  // compared in lower case
      {"\xc9T\xc9", "\xe9t\xe9", 0}, {"abc", "ab", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CString(c.a).CompareNoCase(c.b), c.sign) << c.a << " vs " << c.b;
    EXPECT_EQ(CString(c.a).CollateNoCase(c.b), c.sign) << c.a << " vs " << c.b;
  }
}

TEST(CString, ExtractionClipsOutOfRange) {
  CString s("hello");
  struct Case {
    CString got;
    const char* want;
  };
  const Case cases[] = {
      {s.Mid(1), "ello"},
      {s.Mid(1, 3), "ell"},
      {s.Mid(-2, 2), "he"},
      {s.Mid(4, 10), "o"},
      {s.Mid(9), ""},
      {s.Mid(2, -1), ""},
      {s.Left(2), "he"},
      {s.Left(-1), ""},
      {s.Left(99), "hello"},
      {s.Right(3), "llo"},
      {s.Right(-3), ""},
      {s.Right(99), "hello"},
      {s.SpanIncluding("leh"), "hell"},
      {s.SpanExcluding("lo"), "he"},
      {s.SpanIncluding("x"), ""},
      {s.SpanExcluding("x"), "hello"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(Bytes(cases[i].got), cases[i].want) << "case " << i;
}

TEST(CString, Searching) {
  CString s("a.b.c");
  EXPECT_EQ(s.Find('.'), 1);
  EXPECT_EQ(s.Find('.', 2), 3);
  EXPECT_EQ(s.Find('.', 4), -1);
  EXPECT_EQ(s.Find('.', -1), -1);
  EXPECT_EQ(s.Find('x'), -1);
  EXPECT_EQ(s.Find("b.c"), 2);
  EXPECT_EQ(s.Find("b", 3), -1);
  EXPECT_EQ(s.Find("", 0), 0);
  EXPECT_EQ(s.Find("c", 99), -1);
  EXPECT_EQ(s.ReverseFind('.'), 3);
  EXPECT_EQ(s.ReverseFind('x'), -1);
  EXPECT_EQ(s.FindOneOf("cb"), 2);
  EXPECT_EQ(s.FindOneOf("xyz"), -1);
  EXPECT_EQ(CString().Find('a'), -1);
}

TEST(CString, CaseAndReverse) {
  CString s("Abc\xe9\xff\x9a_1");
  s.MakeUpper();
  EXPECT_EQ(Bytes(s), "ABC\xc9\x9f\x8a_1");
  s.MakeLower();
  EXPECT_EQ(Bytes(s), "abc\xe9\xff\x9a_1");
  CString r("abc");
  r.MakeReverse();
  EXPECT_EQ(Bytes(r), "cba");
}

TEST(CString, ReplaceRemoveInsertDelete) {
  CString s("a--b--c");
  EXPECT_EQ(s.Replace("--", "+"), 2);
  EXPECT_EQ(Bytes(s), "a+b+c");
  EXPECT_EQ(s.Replace("", "x"), 0);
  EXPECT_EQ(s.Replace("+", ""), 2);
  EXPECT_EQ(Bytes(s), "abc");
  EXPECT_EQ(s.Replace('b', 'B'), 1);
  EXPECT_EQ(Bytes(s), "aBc");
  CString overlap("aaa");
  EXPECT_EQ(overlap.Replace("a", "aa"), 3);  // replacement text is not searched again
  EXPECT_EQ(Bytes(overlap), "aaaaaa");

  CString r("banana");
  EXPECT_EQ(r.Remove('a'), 3);
  EXPECT_EQ(Bytes(r), "bnn");

  CString i("ac");
  EXPECT_EQ(i.Insert(1, 'b'), 3);
  EXPECT_EQ(i.Insert(99, "d"), 4);
  EXPECT_EQ(i.Insert(-5, "_"), 5);
  EXPECT_EQ(Bytes(i), "_abcd");

  CString d("abcdef");
  EXPECT_EQ(d.Delete(1, 2), 4);
  EXPECT_EQ(Bytes(d), "adef");
  EXPECT_EQ(d.Delete(2, 99), 2);
  EXPECT_EQ(d.Delete(9, 1), 2);
  EXPECT_EQ(d.Delete(0), 1);
  EXPECT_EQ(Bytes(d), "d");
}

TEST(CString, Trimming) {
  CString s(" \t\r\nab c \n");
  s.TrimLeft();
  EXPECT_EQ(Bytes(s), "ab c \n");
  s.TrimRight();
  EXPECT_EQ(Bytes(s), "ab c");
  CString x("xxaxx");
  x.TrimLeft('x');
  EXPECT_EQ(Bytes(x), "axx");
  x.TrimRight('x');
  EXPECT_EQ(Bytes(x), "a");
  CString set("-+a+-");
  set.TrimLeft("+-");
  set.TrimRight("+-");
  EXPECT_EQ(Bytes(set), "a");
  CString all("   ");
  all.TrimRight();
  EXPECT_TRUE(all.IsEmpty());
}

TEST(CString, AccessByIndex) {
  CString s("abc");
  EXPECT_EQ(s[1], 'b');
  EXPECT_EQ(s.GetAt(2), 'c');
  s.SetAt(0, 'X');
  EXPECT_EQ(Bytes(s), "Xbc");
  EXPECT_EQ(s.GetAt(3), 0);  // out of range reads as NUL, never past the end
  s.SetAt(7, 'y');
  EXPECT_EQ(Bytes(s), "Xbc");
}

TEST(CString, BufferAccess) {
  CString s("ab");
  char* p = s.GetBuffer(16);
  std::strcpy(p, "longer text");
  s.ReleaseBuffer();
  EXPECT_EQ(Bytes(s), "longer text");

  p = s.GetBuffer(0);
  p[3] = '\0';
  s.ReleaseBuffer();
  EXPECT_EQ(Bytes(s), "lon");

  p = s.GetBufferSetLength(5);
  std::memcpy(p, "a\0cde", 5);
  s.ReleaseBuffer(5);
  EXPECT_EQ(s.GetLength(), 5);
  s.ReleaseBuffer(2);
  EXPECT_EQ(Bytes(s), std::string("a\0", 2));
  s.FreeExtra();
  EXPECT_EQ(s.LockBuffer()[0], 'a');
  s.UnlockBuffer();

  CString empty;
  p = empty.GetBuffer(4);
  std::strcpy(p, "four");
  empty.ReleaseBuffer(-1);
  EXPECT_EQ(Bytes(empty), "four");
}

TEST(CString, FormatAnyLengthAndCStringArguments) {
  CString name("world");
  CString s;
  s.Format("hello %s, %d/%ld", name, 3, static_cast<LONG>(-7));
  EXPECT_EQ(Bytes(s), "hello world, 3/-7");
  std::string big(5000, 'x');
  s.Format("[%s]", big.c_str());
  EXPECT_EQ(s.GetLength(), 5002);
  s.Format("%s", static_cast<const char*>(nullptr));
  EXPECT_EQ(Bytes(s), "(null)");
}

BOOL FakeLoader(UINT id, CString& out) {
  if (id != 42) return FALSE;
  out = "answer %d";
  return TRUE;
}

TEST(CString, LoadStringThroughInstalledLoader) {
  CString s("keep");
  mirt::SetStringLoader(nullptr);
  EXPECT_FALSE(s.LoadString(42));
  EXPECT_EQ(Bytes(s), "keep");
  mirt::SetStringLoader(&FakeLoader);
  EXPECT_TRUE(s.LoadString(42));
  EXPECT_EQ(Bytes(s), "answer %d");
  EXPECT_FALSE(s.LoadString(41));
  CString byId(reinterpret_cast<LPCTSTR>(static_cast<uintptr_t>(42)));
  EXPECT_EQ(Bytes(byId), "answer %d");
  CString f;
  f.Format(42u, 7);
  EXPECT_EQ(Bytes(f), "answer 7");
  mirt::SetStringLoader(nullptr);
}

}  // namespace
