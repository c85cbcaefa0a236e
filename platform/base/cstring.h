// CString: a string of bytes with the operations of MFC's CString. The
// length is kept, so embedded NULs survive copies, concatenation, Mid/Left/
// Right and comparisons between CStrings; functions taking a C string stop at
// its first NUL.
#pragma once

#include <cstdarg>
#include <string>

#include "platform/base/format.h"
#include "platform/base/windef.h"

class CString {
 public:
  CString() = default;
  CString(const CString& other) = default;
  CString(CString&& other) noexcept = default;
  CString(LPCTSTR psz);  // NULL is empty; MAKEINTRESOURCE(id) loads string id
  CString(LPCTSTR pch, int nLength);
  CString(const unsigned char* psz);
  CString(TCHAR ch, int nRepeat = 1);
  explicit CString(const std::string& s) : m_str(s) {}
  ~CString() = default;

  // Size and content.
  int GetLength() const { return static_cast<int>(m_str.size()); }
  BOOL IsEmpty() const { return m_str.empty(); }
  void Empty();
  TCHAR GetAt(int nIndex) const;
  void SetAt(int nIndex, TCHAR ch);
  TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
  operator LPCTSTR() const { return m_str.c_str(); }
  const std::string& str() const { return m_str; }

  // Assignment and concatenation.
  CString& operator=(const CString& other) = default;
  CString& operator=(CString&& other) noexcept = default;
  CString& operator=(LPCTSTR psz);
  CString& operator=(const unsigned char* psz);
  CString& operator=(TCHAR ch);
  CString& operator+=(const CString& s);
  CString& operator+=(LPCTSTR psz);
  CString& operator+=(TCHAR ch);

  // Comparison: < 0, 0 or > 0 as strcmp.
  int Compare(LPCTSTR psz) const;
  int Compare(const CString& s) const;
  int CompareNoCase(LPCTSTR psz) const;
  int Collate(LPCTSTR psz) const;
  int CollateNoCase(LPCTSTR psz) const;

  // Extraction; counts and positions out of range are clipped.
  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString SpanIncluding(LPCTSTR pszCharSet) const;
  CString SpanExcluding(LPCTSTR pszCharSet) const;

  // Changes in place.
  void MakeUpper();
  void MakeLower();
  void MakeReverse();
  int Replace(TCHAR chOld, TCHAR chNew);
  int Replace(LPCTSTR pszOld, LPCTSTR pszNew);
  int Remove(TCHAR ch);
  int Insert(int nIndex, TCHAR ch);
  int Insert(int nIndex, LPCTSTR psz);
  int Delete(int nIndex, int nCount = 1);
  void TrimLeft();
  void TrimLeft(TCHAR chTarget);
  void TrimLeft(LPCTSTR pszTargets);
  void TrimRight();
  void TrimRight(TCHAR chTarget);
  void TrimRight(LPCTSTR pszTargets);
  void AnsiToOem() {}
  void OemToAnsi() {}

  // Searching: index or -1.
  int Find(TCHAR ch) const { return Find(ch, 0); }
  int Find(TCHAR ch, int nStart) const;
  int Find(LPCTSTR pszSub) const { return Find(pszSub, 0); }
  int Find(LPCTSTR pszSub, int nStart) const;
  int ReverseFind(TCHAR ch) const;
  int FindOneOf(LPCTSTR pszCharSet) const;

  // Formatting (printf formats with Windows' sizes, see format.h).
  template <typename... A>
  void Format(LPCTSTR pszFormat, const A&... args) {
    m_str = mirt::FormatString(pszFormat, args...);
  }
  template <typename... A>
  void Format(UINT nFormatID, const A&... args) {
    CString fmt;
    fmt.LoadString(nFormatID);
    m_str = mirt::FormatString(fmt, args...);
  }
  void FormatV(LPCTSTR pszFormat, va_list argList);

  // Resource strings, through the loader the window layer installs.
  BOOL LoadString(UINT nID);

  // Raw buffer access.
  LPTSTR GetBuffer(int nMinBufLength);
  LPTSTR GetBufferSetLength(int nNewLength);
  void ReleaseBuffer(int nNewLength = -1);
  void FreeExtra();
  LPTSTR LockBuffer();
  void UnlockBuffer() {}

 private:
  std::string m_str;
};

// Concatenation.
CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCTSTR b);
CString operator+(LPCTSTR a, const CString& b);
CString operator+(const CString& a, TCHAR b);
CString operator+(TCHAR a, const CString& b);

// Comparison.
bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCTSTR b);
bool operator==(LPCTSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCTSTR b);
bool operator!=(LPCTSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCTSTR b);
bool operator<(LPCTSTR a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, LPCTSTR b);
bool operator>(LPCTSTR a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, LPCTSTR b);
bool operator<=(LPCTSTR a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, LPCTSTR b);
bool operator>=(LPCTSTR a, const CString& b);

namespace mirt {

// Fills out with string nID of the running program's resources; false when
// there is none. The window layer installs it.
typedef BOOL (*StringLoader)(UINT nID, CString& out);
void SetStringLoader(StringLoader loader);
StringLoader GetStringLoader();

}  // namespace mirt
