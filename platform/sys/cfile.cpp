#include "platform/sys/cfile.h"

#include <cstring>

#include "platform/sys/path.h"

IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

// ---- CFileException ----

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}

int CFileException::OsErrorToException(LONG err) {
  switch (err) {
    case ERROR_SUCCESS:
      return none;
    case ERROR_FILE_NOT_FOUND:
      return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_DRIVE:
      return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
      return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return accessDenied;
    case ERROR_INVALID_HANDLE:
      return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
      return removeCurrentDir;
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK:
      return badSeek;
    case ERROR_SHARING_VIOLATION:
      return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_NOT_LOCKED:
      return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return diskFull;
    case ERROR_HANDLE_EOF:
      return endOfFile;
    case ERROR_GEN_FAILURE:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_CRC:
      return hardIO;
    default:
      return genericException;
  }
}

void CFileException::ThrowOsError(LONG err, LPCSTR name) {
  if (err != 0) throw new CFileException(OsErrorToException(err), err, name);
  throw new CFileException(genericException, err, name);
}

void AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR out, UINT max, PUINT helpContext) {
  static const char* const texts[] = {
      "No error occurred.",
      "An unexpected error occurred while accessing %s.",
      "%s was not found.",
      "%s contains an incorrect path.",
      "%s could not be opened because there are too many open files.",
      "Access to %s was denied.",
      "An incorrect file handle was associated with %s.",
      "%s could not be removed because it is the current directory.",
      "%s could not be created because the directory is full.",
      "Seek failed on %s.",
      "A hardware I/O error was reported while accessing %s.",
      "A sharing violation occurred while accessing %s.",
      "A locking violation occurred while locking %s.",
      "Disk full while accessing %s.",
      "An attempt was made to access %s past its end.",
  };
  if (helpContext) *helpContext = 0;
  if (!out || max == 0) return FALSE;
  int cause = m_cause >= none && m_cause <= endOfFile ? m_cause : genericException;
  CString name = m_strFileName.IsEmpty() ? CString("an unnamed file") : m_strFileName;
  std::string text = texts[cause];
  size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, static_cast<LPCSTR>(name));
  size_t n = std::min<size_t>(text.size(), max - 1);
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
  return TRUE;
}

// ---- CFile ----

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCSTR name, UINT flags) : CFile() {
  CFileException e;
  if (!Open(name, flags, &e)) throw new CFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
  if (m_hFile != hFileNull && m_bCloseOnDelete) Abort();
}

void CFile::ThrowLastError() const {
  CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

BOOL CFile::Open(LPCSTR name, UINT flags, CFileException* error) {
  if (m_hFile != hFileNull) Abort();
  flags &= ~static_cast<UINT>(typeBinary | typeText);
  DWORD access = 0;
  switch (flags & 3) {
    case modeRead:
      access = GENERIC_READ;
      break;
    case modeWrite:
      access = GENERIC_WRITE;
      break;
    case modeReadWrite:
      access = GENERIC_READ | GENERIC_WRITE;
      break;
    default:
      break;
  }
  DWORD share = 0;
  switch (flags & 0x70) {
    case shareExclusive:
      share = 0;
      break;
    case shareDenyWrite:
      share = FILE_SHARE_READ;
      break;
    case shareDenyRead:
      share = FILE_SHARE_WRITE;
      break;
    default:
      share = FILE_SHARE_READ | FILE_SHARE_WRITE;
      break;  // compat and deny-none
  }
  DWORD disposition = OPEN_EXISTING;
  if (flags & modeCreate) disposition = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  m_strFileName = name ? CString(plat::AbsolutePath(name ? name : "").c_str()) : CString();
  HANDLE h = name ? CreateFile(name, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr)
                  : INVALID_HANDLE_VALUE;
  if (!name) SetLastError(ERROR_INVALID_PARAMETER);
  if (h == INVALID_HANDLE_VALUE) {
    if (error) {
      LONG err = static_cast<LONG>(GetLastError());
      error->m_lOsError = err;
      error->m_cause = CFileException::OsErrorToException(err);
      error->m_strFileName = name;
    }
    m_strFileName.Empty();
    return FALSE;
  }
  m_hFile = h;
  m_bCloseOnDelete = TRUE;
  return TRUE;
}

UINT CFile::Read(void* buf, UINT count) {
  if (count == 0) return 0;
  DWORD read = 0;
  if (!ReadFile(m_hFile, buf, count, &read, nullptr)) ThrowLastError();
  return read;
}

void CFile::Write(const void* buf, UINT count) {
  if (count == 0) return;
  DWORD written = 0;
  if (!WriteFile(m_hFile, buf, count, &written, nullptr)) ThrowLastError();
  if (written != count) AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

LONG CFile::Seek(LONG off, UINT from) {
  DWORD pos = SetFilePointer(m_hFile, off, nullptr, from);
  if (pos == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS) ThrowLastError();
  return static_cast<LONG>(pos);
}

DWORD CFile::GetLength() const {
  DWORD size = GetFileSize(m_hFile, nullptr);
  if (size == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) ThrowLastError();
  return size;
}

void CFile::SetLength(DWORD len) {
  DWORD keep = GetPosition();
  Seek(static_cast<LONG>(len), begin);
  if (!SetEndOfFile(m_hFile)) ThrowLastError();
  if (keep < len) Seek(static_cast<LONG>(keep), begin);
}

DWORD CFile::GetPosition() const {
  DWORD pos = SetFilePointer(m_hFile, 0, nullptr, FILE_CURRENT);
  if (pos == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS) ThrowLastError();
  return pos;
}

void CFile::LockRange(DWORD pos, DWORD count) {
  if (!LockFile(m_hFile, pos, 0, count, 0)) ThrowLastError();
}

void CFile::UnlockRange(DWORD pos, DWORD count) {
  if (!UnlockFile(m_hFile, pos, 0, count, 0)) ThrowLastError();
}

void CFile::Flush() {
  if (m_hFile != hFileNull && !FlushFileBuffers(m_hFile)) ThrowLastError();
}

void CFile::Close() {
  BOOL ok = TRUE;
  if (m_hFile != hFileNull) ok = CloseHandle(m_hFile);
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  if (!ok) ThrowLastError();
  m_strFileName.Empty();
}

void CFile::Abort() {
  if (m_hFile != hFileNull) CloseHandle(m_hFile);
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
}

CString CFile::GetFileName() const {
  return CString(plat::FileNamePart(static_cast<LPCSTR>(m_strFileName)).c_str());
}

CString CFile::GetFileTitle() const {
  return CString(plat::FileTitlePart(static_cast<LPCSTR>(m_strFileName)).c_str());
}

CString CFile::GetFilePath() const { return m_strFileName; }

void CFile::SetFilePath(LPCSTR name) { m_strFileName = name; }

void CFile::Rename(LPCSTR oldName, LPCSTR newName) {
  if (!MoveFile(oldName, newName)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), oldName);
}

void CFile::Remove(LPCSTR name) {
  if (!DeleteFile(name)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), name);
}

// ---- CStdioFile ----

CStdioFile::CStdioFile(LPCSTR name, UINT flags) {
  CFileException e;
  if (!Open(name, flags, &e)) throw new CFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

BOOL CStdioFile::Open(LPCSTR name, UINT flags, CFileException* error) {
  m_text = !(flags & typeBinary);
  m_buffer.clear();
  m_bufferPos = 0;
  return CFile::Open(name, flags, error);
}

bool CStdioFile::FillBuffer() {
  if (m_bufferPos < m_buffer.size()) return true;
  char chunk[4096];
  UINT n = CFile::Read(chunk, sizeof chunk);
  m_buffer.assign(chunk, n);
  m_bufferPos = 0;
  return n > 0;
}

UINT CStdioFile::Read(void* buf, UINT count) {
  UINT done = 0;
  char* out = static_cast<char*>(buf);
  while (done < count && FillBuffer()) {
    size_t n = std::min<size_t>(count - done, m_buffer.size() - m_bufferPos);
    std::memcpy(out + done, m_buffer.data() + m_bufferPos, n);
    m_bufferPos += n;
    done += static_cast<UINT>(n);
  }
  return done;
}

void CStdioFile::Write(const void* buf, UINT count) {
  if (m_bufferPos < m_buffer.size()) Seek(0, current);  // drop the read-ahead first
  CFile::Write(buf, count);
}

BOOL CStdioFile::ReadString(CString& line) {
  std::string text;
  bool any = false;
  while (FillBuffer()) {
    any = true;
    size_t nl = m_buffer.find('\n', m_bufferPos);
    size_t end = nl == std::string::npos ? m_buffer.size() : nl;
    text.append(m_buffer, m_bufferPos, end - m_bufferPos);
    m_bufferPos = nl == std::string::npos ? m_buffer.size() : nl + 1;
    if (nl != std::string::npos) break;
  }
  if (!any) {
    line.Empty();
    return FALSE;
  }
  if (!text.empty() && text.back() == '\r') text.pop_back();
  line = CString(text.data(), static_cast<int>(text.size()));
  return TRUE;
}

LPTSTR CStdioFile::ReadString(LPTSTR out, UINT max) {
  if (!out || max == 0) return nullptr;
  UINT n = 0;
  bool any = false;
  while (n + 1 < max && FillBuffer()) {
    any = true;
    char c = m_buffer[m_bufferPos++];
    if (m_text && c == '\r' && FillBuffer() && m_buffer[m_bufferPos] == '\n') continue;
    out[n++] = c;
    if (c == '\n') break;
  }
  out[n] = '\0';
  return any ? out : nullptr;
}

void CStdioFile::WriteString(LPCSTR text) {
  if (!text) AfxThrowFileException(CFileException::genericException, ERROR_INVALID_PARAMETER, m_strFileName);
  if (!m_text) return Write(text, static_cast<UINT>(std::strlen(text)));
  std::string out;
  for (const char* p = text; *p; ++p) {
    if (*p == '\n') out += '\r';
    out += *p;
  }
  Write(out.data(), static_cast<UINT>(out.size()));
}

LONG CStdioFile::Seek(LONG off, UINT from) {
  if (from == current) off -= static_cast<LONG>(m_buffer.size() - m_bufferPos);
  m_buffer.clear();
  m_bufferPos = 0;
  return CFile::Seek(off, from);
}

DWORD CStdioFile::GetPosition() const {
  return CFile::GetPosition() - static_cast<DWORD>(m_buffer.size() - m_bufferPos);
}

void CStdioFile::Close() {
  m_buffer.clear();
  m_bufferPos = 0;
  CFile::Close();
}

void CStdioFile::Abort() {
  m_buffer.clear();
  m_bufferPos = 0;
  CFile::Abort();
}
