#include "platform/afx/archive.h"

#include <cstring>

CArchive::CArchive(CFile* pFile, UINT nMode, int, void*) : m_pFile(pFile), m_nMode(nMode & load) {}

CArchive::~CArchive() {
  if (m_pFile && IsStoring() && !m_out.empty()) {
    try {
      Flush();
    } catch (CException* e) {
      e->Delete();
    }
  }
}

void AfxThrowArchiveException(int cause) { throw new CArchiveException(cause); }

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  if (!m_pFile || !IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly);
  return m_pFile->Read(lpBuf, nMax);
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  if (!m_pFile || !IsStoring()) AfxThrowArchiveException(CArchiveException::readOnly);
  auto* p = static_cast<const unsigned char*>(lpBuf);
  m_out.insert(m_out.end(), p, p + nMax);
  if (m_out.size() >= 65536) Flush();
}

void CArchive::Flush() {
  if (!m_pFile || !IsStoring() || m_out.empty()) return;
  std::vector<unsigned char> out;
  out.swap(m_out);
  m_pFile->Write(out.data(), static_cast<UINT>(out.size()));
}

void CArchive::Close() {
  Flush();
  m_pFile = nullptr;
}

void CArchive::Need(void* out, UINT n) {
  if (Read(out, n) != n) AfxThrowArchiveException(CArchiveException::endOfFile);
}

BOOL CArchive::ReadString(CString& rString) {
  rString.Empty();
  char c;
  bool any = false;
  while (Read(&c, 1) == 1) {
    any = true;
    if (c == '\n') break;
    rString += c;
  }
  if (!rString.IsEmpty() && rString[rString.GetLength() - 1] == '\r')
    rString = rString.Left(rString.GetLength() - 1);
  return any;
}

void CArchive::WriteString(LPCSTR lpsz) {
  if (lpsz) Write(lpsz, static_cast<UINT>(strlen(lpsz)));
}

namespace {
template <typename T>
void PutLE(CArchive& ar, T v) {
  unsigned char b[sizeof(T)];
  for (size_t i = 0; i < sizeof(T); ++i)
    b[i] = static_cast<unsigned char>((static_cast<unsigned long long>(v) >> (8 * i)) & 0xFF);
  ar.Write(b, sizeof(T));
}
}  // namespace

CArchive& CArchive::operator<<(BYTE b) {
  Write(&b, 1);
  return *this;
}
CArchive& CArchive::operator<<(WORD w) {
  PutLE(*this, w);
  return *this;
}
CArchive& CArchive::operator<<(LONG l) {
  PutLE(*this, static_cast<DWORD>(l));
  return *this;
}
CArchive& CArchive::operator<<(DWORD dw) {
  PutLE(*this, dw);
  return *this;
}
CArchive& CArchive::operator<<(float f) {
  DWORD bits;
  memcpy(&bits, &f, 4);
  return *this << bits;
}
CArchive& CArchive::operator<<(double d) {
  unsigned long long bits;
  memcpy(&bits, &d, 8);
  PutLE(*this, bits);
  return *this;
}

CArchive& CArchive::operator<<(const CString& s) {
  DWORD n = static_cast<DWORD>(s.GetLength());
  if (n < 0xFF) {
    *this << static_cast<BYTE>(n);
  } else if (n < 0xFFFE) {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(n);
  } else {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << n;
  }
  Write(static_cast<LPCSTR>(s), n);
  return *this;
}

CArchive& CArchive::operator>>(BYTE& b) {
  Need(&b, 1);
  return *this;
}
CArchive& CArchive::operator>>(WORD& w) {
  unsigned char b[2];
  Need(b, 2);
  w = static_cast<WORD>(b[0] | (b[1] << 8));
  return *this;
}
CArchive& CArchive::operator>>(DWORD& dw) {
  unsigned char b[4];
  Need(b, 4);
  dw = static_cast<DWORD>(b[0]) | (static_cast<DWORD>(b[1]) << 8) | (static_cast<DWORD>(b[2]) << 16) |
       (static_cast<DWORD>(b[3]) << 24);
  return *this;
}
CArchive& CArchive::operator>>(LONG& l) {
  DWORD d;
  *this >> d;
  l = static_cast<LONG>(d);
  return *this;
}
CArchive& CArchive::operator>>(short& s) {
  WORD w;
  *this >> w;
  s = static_cast<short>(w);
  return *this;
}
CArchive& CArchive::operator>>(char& c) {
  BYTE b;
  *this >> b;
  c = static_cast<char>(b);
  return *this;
}
CArchive& CArchive::operator>>(float& f) {
  DWORD d;
  *this >> d;
  memcpy(&f, &d, 4);
  return *this;
}
CArchive& CArchive::operator>>(double& d) {
  DWORD lo, hi;
  *this >> lo >> hi;
  unsigned long long bits = lo | (static_cast<unsigned long long>(hi) << 32);
  memcpy(&d, &bits, 8);
  return *this;
}

CArchive& CArchive::operator>>(CString& s) {
  BYTE b;
  *this >> b;
  DWORD n = b;
  if (b == 0xFF) {
    WORD w;
    *this >> w;
    n = w;
    if (w == 0xFFFF) *this >> n;
  }
  // Read in pieces so a damaged length cannot ask for a huge buffer at once.
  std::string text;
  char buf[4096];
  while (n > 0) {
    UINT part = n < sizeof buf ? n : static_cast<UINT>(sizeof buf);
    Need(buf, part);
    text.append(buf, part);
    n -= part;
  }
  s = CString(text.data(), static_cast<int>(text.size()));
  return *this;
}
