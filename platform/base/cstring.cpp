#include "platform/base/cstring.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/base/charcase.h"

namespace {

std::atomic<mirt::StringLoader> g_loader{nullptr};

const char* Safe(LPCTSTR psz) { return psz ? psz : ""; }

bool IsResourceId(LPCTSTR psz) { return psz && reinterpret_cast<uintptr_t>(psz) < 0x10000; }

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

int CompareNoCaseBytes(const char* a, const char* b) {
  const unsigned char* pa = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* pb = reinterpret_cast<const unsigned char*>(b);
  for (;; ++pa, ++pb) {
    int ca = mirt::ToLower1252(*pa);
    int cb = mirt::ToLower1252(*pb);
    if (ca != cb || ca == 0) return Sign(ca - cb);
  }
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

namespace mirt {

void SetStringLoader(StringLoader loader) { g_loader = loader; }

StringLoader GetStringLoader() { return g_loader; }

}  // namespace mirt

CString::CString(LPCTSTR psz) {
  if (IsResourceId(psz)) {
    LoadString(static_cast<UINT>(reinterpret_cast<uintptr_t>(psz)));
  } else if (psz) {
    m_str = psz;
  }
}

CString::CString(LPCTSTR pch, int nLength) {
  if (pch && nLength > 0) m_str.assign(pch, nLength);
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCTSTR>(psz)) {}

CString::CString(TCHAR ch, int nRepeat) {
  if (nRepeat > 0) m_str.assign(nRepeat, ch);
}

void CString::Empty() {
  m_str.clear();
  m_str.shrink_to_fit();
}

TCHAR CString::GetAt(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetLength()) return 0;
  return m_str[nIndex];
}

void CString::SetAt(int nIndex, TCHAR ch) {
  if (nIndex >= 0 && nIndex < GetLength()) m_str[nIndex] = ch;
}

CString& CString::operator=(LPCTSTR psz) {
  if (IsResourceId(psz)) {
    LoadString(static_cast<UINT>(reinterpret_cast<uintptr_t>(psz)));
  } else {
    m_str = Safe(psz);
  }
  return *this;
}

CString& CString::operator=(const unsigned char* psz) { return *this = reinterpret_cast<LPCTSTR>(psz); }

CString& CString::operator=(TCHAR ch) {
  m_str.assign(1, ch);
  return *this;
}

CString& CString::operator+=(const CString& s) {
  m_str += s.m_str;
  return *this;
}

CString& CString::operator+=(LPCTSTR psz) {
  m_str += Safe(psz);
  return *this;
}

CString& CString::operator+=(TCHAR ch) {
  m_str += ch;
  return *this;
}

int CString::Compare(LPCTSTR psz) const { return Sign(std::strcmp(m_str.c_str(), Safe(psz))); }

int CString::Compare(const CString& s) const { return Sign(m_str.compare(s.m_str)); }

int CString::CompareNoCase(LPCTSTR psz) const { return CompareNoCaseBytes(m_str.c_str(), Safe(psz)); }

int CString::Collate(LPCTSTR psz) const { return Compare(psz); }

int CString::CollateNoCase(LPCTSTR psz) const { return CompareNoCase(psz); }

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const {
  int len = GetLength();
  nFirst = std::clamp(nFirst, 0, len);
  nCount = std::clamp(nCount, 0, len - nFirst);
  return CString(m_str.substr(nFirst, nCount));
}

CString CString::Left(int nCount) const {
  nCount = std::clamp(nCount, 0, GetLength());
  return CString(m_str.substr(0, nCount));
}

CString CString::Right(int nCount) const {
  int len = GetLength();
  nCount = std::clamp(nCount, 0, len);
  return CString(m_str.substr(len - nCount));
}

CString CString::SpanIncluding(LPCTSTR pszCharSet) const {
  return Left(static_cast<int>(std::strspn(m_str.c_str(), Safe(pszCharSet))));
}

CString CString::SpanExcluding(LPCTSTR pszCharSet) const {
  return Left(static_cast<int>(std::strcspn(m_str.c_str(), Safe(pszCharSet))));
}

void CString::MakeUpper() {
  for (char& c : m_str) c = static_cast<char>(mirt::ToUpper1252(static_cast<unsigned char>(c)));
}

void CString::MakeLower() {
  for (char& c : m_str) c = static_cast<char>(mirt::ToLower1252(static_cast<unsigned char>(c)));
}

void CString::MakeReverse() { std::reverse(m_str.begin(), m_str.end()); }

int CString::Replace(TCHAR chOld, TCHAR chNew) {
  int n = 0;
  for (char& c : m_str) {
    if (c == chOld) {
      c = chNew;
      ++n;
    }
  }
  return chOld == chNew ? 0 : n;
}

int CString::Replace(LPCTSTR pszOld, LPCTSTR pszNew) {
  size_t oldLen = pszOld ? std::strlen(pszOld) : 0;
  if (oldLen == 0) return 0;
  const char* repl = Safe(pszNew);
  std::string out;
  int n = 0;
  size_t from = 0;
  for (size_t at; (at = m_str.find(pszOld, from, oldLen)) != std::string::npos; from = at + oldLen) {
    out.append(m_str, from, at - from);
    out += repl;
    ++n;
  }
  if (n == 0) return 0;
  out.append(m_str, from, std::string::npos);
  m_str.swap(out);
  return n;
}

int CString::Remove(TCHAR ch) {
  auto end = std::remove(m_str.begin(), m_str.end(), ch);
  int n = static_cast<int>(m_str.end() - end);
  m_str.erase(end, m_str.end());
  return n;
}

int CString::Insert(int nIndex, TCHAR ch) {
  m_str.insert(m_str.begin() + std::clamp(nIndex, 0, GetLength()), ch);
  return GetLength();
}

int CString::Insert(int nIndex, LPCTSTR psz) {
  m_str.insert(std::clamp(nIndex, 0, GetLength()), Safe(psz));
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  int len = GetLength();
  nIndex = std::max(nIndex, 0);
  if (nCount > 0 && nIndex < len) m_str.erase(nIndex, std::min(nCount, len - nIndex));
  return GetLength();
}

void CString::TrimLeft() {
  size_t i = 0;
  while (i < m_str.size() && IsSpace(m_str[i])) ++i;
  m_str.erase(0, i);
}

void CString::TrimLeft(TCHAR chTarget) {
  size_t i = 0;
  while (i < m_str.size() && m_str[i] == chTarget) ++i;
  m_str.erase(0, i);
}

void CString::TrimLeft(LPCTSTR pszTargets) {
  const char* set = Safe(pszTargets);
  size_t i = 0;
  while (i < m_str.size() && m_str[i] && std::strchr(set, m_str[i])) ++i;
  m_str.erase(0, i);
}

void CString::TrimRight() {
  size_t n = m_str.size();
  while (n > 0 && IsSpace(m_str[n - 1])) --n;
  m_str.resize(n);
}

void CString::TrimRight(TCHAR chTarget) {
  size_t n = m_str.size();
  while (n > 0 && m_str[n - 1] == chTarget) --n;
  m_str.resize(n);
}

void CString::TrimRight(LPCTSTR pszTargets) {
  const char* set = Safe(pszTargets);
  size_t n = m_str.size();
  while (n > 0 && m_str[n - 1] && std::strchr(set, m_str[n - 1])) --n;
  m_str.resize(n);
}

int CString::Find(TCHAR ch, int nStart) const {
  if (nStart < 0 || nStart >= GetLength()) return -1;
  size_t at = m_str.find(ch, nStart);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCTSTR pszSub, int nStart) const {
  if (nStart < 0 || nStart > GetLength()) return -1;
  size_t at = m_str.find(Safe(pszSub), nStart);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(TCHAR ch) const {
  size_t at = m_str.rfind(ch);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(LPCTSTR pszCharSet) const {
  const char* set = Safe(pszCharSet);
  for (size_t i = 0; i < m_str.size(); ++i) {
    if (m_str[i] && std::strchr(set, m_str[i])) return static_cast<int>(i);
  }
  return -1;
}

void CString::FormatV(LPCTSTR pszFormat, va_list argList) {
  std::string out;
  mirt::FormatVaList(out, pszFormat, argList);
  m_str.swap(out);
}

BOOL CString::LoadString(UINT nID) {
  mirt::StringLoader loader = g_loader;
  CString text;
  if (!loader || !loader(nID, text)) return FALSE;
  *this = text;
  return TRUE;
}

LPTSTR CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength > GetLength()) m_str.resize(nMinBufLength);
  return m_str.data();
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
  m_str.resize(std::max(nNewLength, 0));
  return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
  if (nNewLength < 0) nNewLength = static_cast<int>(strnlen(m_str.data(), m_str.size()));
  m_str.resize(std::min<size_t>(nNewLength, m_str.size()));
}

void CString::FreeExtra() { m_str.shrink_to_fit(); }

LPTSTR CString::LockBuffer() { return m_str.data(); }

CString operator+(const CString& a, const CString& b) { return CString(a.str() + b.str()); }
CString operator+(const CString& a, LPCTSTR b) { return CString(a.str() + (b ? b : "")); }
CString operator+(LPCTSTR a, const CString& b) { return CString((a ? a : "") + b.str()); }
CString operator+(const CString& a, TCHAR b) { return CString(a.str() + b); }
CString operator+(TCHAR a, const CString& b) { return CString(a + b.str()); }

bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
bool operator!=(const CString& a, LPCTSTR b) { return a.Compare(b) != 0; }
bool operator!=(LPCTSTR a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCTSTR b) { return a.Compare(b) < 0; }
bool operator<(LPCTSTR a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, LPCTSTR b) { return a.Compare(b) > 0; }
bool operator>(LPCTSTR a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, LPCTSTR b) { return a.Compare(b) <= 0; }
bool operator<=(LPCTSTR a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, LPCTSTR b) { return a.Compare(b) >= 0; }
bool operator>=(LPCTSTR a, const CString& b) { return b.Compare(a) <= 0; }
