// MFC's CFile over the Win32 file handles of file.h, and CFileException.
// Open returns FALSE (and fills the optional exception object); the other
// operations throw a CFileException* on failure, as MFC does (catch it and
// call Delete()).
#pragma once

#include "platform/base/afxexcept.h"
#include "platform/base/cobject.h"
#include "platform/base/cstring.h"
#include "platform/sys/file.h"

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
 public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };
  // MFC 4.2's name of the general cause.
  static const int generic = genericException;

  explicit CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);

  // The cause that a Win32 error number stands for.
  static int OsErrorToException(LONG lOsError);
  [[noreturn]] static void ThrowOsError(LONG lOsError, LPCSTR lpszFileName = nullptr);
  // A readable text of the cause, naming the file.
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000
  };
  enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
  static const HANDLE hFileNull;

  CFile();
  explicit CFile(HANDLE hFile);
  // Opens or throws.
  CFile(LPCSTR lpszFileName, UINT nOpenFlags);
  ~CFile() override;  // closes without throwing

  virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual LONG Seek(LONG lOff, UINT nFrom);
  void SeekToBegin() { Seek(0, begin); }
  DWORD SeekToEnd() { return static_cast<DWORD>(Seek(0, end)); }
  virtual DWORD GetLength() const;
  virtual void SetLength(DWORD dwNewLen);
  virtual DWORD GetPosition() const;
  virtual void LockRange(DWORD dwPos, DWORD dwCount);
  virtual void UnlockRange(DWORD dwPos, DWORD dwCount);
  virtual void Flush();
  virtual void Close();
  // Closes and ignores every failure.
  virtual void Abort();

  virtual CString GetFileName() const;   // "name.ext"
  virtual CString GetFileTitle() const;  // "name"
  virtual CString GetFilePath() const;   // the full path
  virtual void SetFilePath(LPCSTR lpszNewName);

  static void Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
  static void Remove(LPCSTR lpszFileName);

  HANDLE m_hFile;
  BOOL m_bCloseOnDelete;
  CString m_strFileName;

 protected:
  [[noreturn]] void ThrowLastError() const;
};

// A text file read and written by lines. In text mode (the default) lines
// are written with CR LF, and CR LF or LF ends a line when reading.
class CStdioFile : public CFile {
  DECLARE_DYNAMIC(CStdioFile)
 public:
  CStdioFile() = default;
  CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags);

  BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
  // The next line without its line end; FALSE at the end of the file.
  virtual BOOL ReadString(CString& rString);
  // Up to nMax - 1 bytes of the next line, with its "\n" (CR removed in
  // text mode); NULL at the end of the file.
  virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
  virtual void WriteString(LPCSTR lpsz);

  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  LONG Seek(LONG lOff, UINT nFrom) override;
  DWORD GetPosition() const override;
  void Close() override;
  void Abort() override;

 private:
  bool FillBuffer();
  bool m_text = true;
  std::string m_buffer;  // read ahead, not yet handed out
  size_t m_bufferPos = 0;
};
