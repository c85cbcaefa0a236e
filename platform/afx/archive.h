// CArchive: a binary stream over a CFile for Serialize, little-endian,
// with MFC's layout of strings (a length prefix of 1, 3 or 7 bytes).
#pragma once

#include <vector>

#include "platform/base/cstring.h"
#include "platform/sys/cfile.h"

class CDocument;

class CArchive {
 public:
  enum Mode { store = 0, load = 1 };
  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return m_nMode == load; }
  BOOL IsStoring() const { return m_nMode == store; }
  CFile* GetFile() const { return m_pFile; }
  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);
  void Flush();
  void Close();
  void Abort() { m_pFile = nullptr; }
  // A line of text without its line end; FALSE at the end of the file.
  BOOL ReadString(CString& rString);
  void WriteString(LPCSTR lpsz);

  CArchive& operator<<(BYTE b);
  CArchive& operator<<(WORD w);
  CArchive& operator<<(LONG l);
  CArchive& operator<<(DWORD dw);
  CArchive& operator<<(short s) { return *this << static_cast<WORD>(s); }
  CArchive& operator<<(char c) { return *this << static_cast<BYTE>(c); }
  CArchive& operator<<(float f);
  CArchive& operator<<(double d);
  CArchive& operator<<(const CString& s);
  CArchive& operator>>(BYTE& b);
  CArchive& operator>>(WORD& w);
  CArchive& operator>>(LONG& l);
  CArchive& operator>>(DWORD& dw);
  CArchive& operator>>(short& s);
  CArchive& operator>>(char& c);
  CArchive& operator>>(float& f);
  CArchive& operator>>(double& d);
  CArchive& operator>>(CString& s);

  CDocument* m_pDocument = nullptr;

 private:
  void Need(void* out, UINT n);  // reads exactly n bytes or throws
  CFile* m_pFile;
  UINT m_nMode;
  std::vector<unsigned char> m_out;
};

// An archive that reads past the end throws this (m_cause endOfFile).
class CArchiveException : public CException {
 public:
  enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };
  explicit CArchiveException(int cause = none) : m_cause(cause) {}
  int m_cause;
};
void AfxThrowArchiveException(int cause);
