#include <cstring>
#include <string>
#include <vector>

#include "editor/editbuffer.h"
#include "editor/editplatform.h"
#include "editor/linesplitter.h"
#include "platform/base/format.h"
#include "platform/base/winerror.h"
#include "platform/sys/atomic_file.h"
#include "platform/sys/errno_map.h"
#include "platform/sys/file.h"

namespace {

constexpr char kCtrlZ = 0x1A;
constexpr char kChangedByAnotherProgram[] =
    "\nThis file has been changed by another program since it was opened or saved.\n"
    "Do you want to replace it with the text in the editor?";
constexpr size_t kWriteBlock = 1 << 16;

bool IsReadOnlyFile(const char* path) {
  DWORD attributes = GetFileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

HANDLE OpenForReading(const char* path) {
  return CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                    nullptr);
}

}  // namespace

void EditBuffer::Unlock() {
  if (m_hLockFile == nullptr) return;
  CloseHandle(m_hLockFile);
  m_hLockFile = nullptr;
}

// Opens the file for reading and keeps it open with a lock on its bytes;
// returns 0 or the error of the open.
int EditBuffer::HoldLock(const char* path) {
  Unlock();
  HANDLE file = OpenForReading(path);
  if (file == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  LockFile(file, 0, 0, 0xFFFFFFFF, 0x7FFFFFFF);  // keeps other programs' locks and saves out
  m_hLockFile = file;
  return 0;
}

void EditBuffer::RememberFile(const char* path) {
  m_strFileSeen = path;
  if (!EditFileStampOf(path, &m_fileSeen)) m_strFileSeen.clear();
}

bool EditBuffer::ChangedByAnotherProgram(const char* path) const {
  EditFileStamp now;
  return !m_strFileSeen.empty() && m_strFileSeen == path && EditFileStampOf(path, &now) &&
         !now.SameAs(m_fileSeen);
}

void EditBuffer::DropLines() {
  ForgetBlockStatesAfter(0);
  FreeLines(m_pLines);
  m_pLines = nullptr;
  m_loaded.Clear();
  m_shared.Clear();
}

int EditBuffer::LoadFile(const char* path) {
  Unlock();
  HANDLE file = OpenForReading(path);
  if (file == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  DropLines();
  EditLine* lines = nullptr;
  int rc = ReadChunks(file, &lines);
  if (rc != 0) m_loaded.Clear();  // the lines read so far are gone with the splitter
  if (rc != 0 || lines == nullptr) {
    lines = CreateLine(32);
    m_nLineCount = 1;
  }
  m_pLines = lines;
  if (rc != 0) {
    CloseHandle(file);
    return rc;
  }
  if (IsReadOnlyFile(path)) m_bReadOnly = TRUE;
  RememberFile(path);
  if (m_bLockFiles) {
    LockFile(file, 0, 0, 0xFFFFFFFF, 0x7FFFFFFF);
    m_hLockFile = file;
  } else {
    CloseHandle(file);
  }
  return 0;
}

// Reads the file in chunks and cuts it into lines. The first chunk decides
// the line-end convention; a file without any line end keeps the buffer's.
int EditBuffer::ReadChunks(HANDLE file, EditLine** lines) {
  std::vector<char> chunk;
  try {
    chunk.resize(kReadChunk + 1);
  } catch (...) {
    return EDIT_NO_MEMORY;
  }
  LineSplitter splitter(*this, &m_loaded);
  bool first = true;
  bool heldCtrlZ = false;  // a ^Z ending the last chunk: dropped only at the end of the file
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, chunk.data(), kReadChunk, &got, nullptr)) return EDIT_CANT_READ;
    if (got == 0) break;
    const char* data = chunk.data();
    if (first) {
      int type = DetectLineEnd(data, got);
      if (type < 0 && got >= (DWORD)kMaxLineColumns) return EDIT_LINE_TOO_LONG;
      if (type >= 0) SetLineEndType(type);
      if (std::memchr(data, '\0', got) != nullptr) return EDIT_NULLS_IN_FILE;
    } else if (std::memchr(data, '\0', got) != nullptr) {
      return EDIT_CANT_READ;
    }
    if (heldCtrlZ && !splitter.Feed(&kCtrlZ, 1)) return EDIT_NO_MEMORY;
    heldCtrlZ = data[got - 1] == kCtrlZ;
    if (!splitter.Feed(data, static_cast<int>(got - (heldCtrlZ ? 1 : 0)))) return EDIT_NO_MEMORY;
    first = false;
    if (got < (DWORD)kReadChunk) break;
  }
  if (!splitter.Finish()) return EDIT_NO_MEMORY;
  if (splitter.Wrapped()) {
    std::string message = mirt::FormatString(EditResultText(EDIT_LINES_WRAPPED), kMaxLineColumns);
    EditMessage(message.c_str());
  }
  m_nLineCount = splitter.Count();  // the splitter numbered the lines
  *lines = splitter.Take();
  m_linesAsLoaded = *lines != nullptr;
  return 0;
}

// Writes a new file beside the old one and renames it over it, so that a
// failed save leaves the old file whole.
int EditBuffer::SaveFile(const char* path) {
  if (IsReadOnlyFile(path)) return EDIT_READ_ONLY;
  if (ChangedByAnotherProgram(path) && !EditAsk((std::string(path) + kChangedByAnotherProgram).c_str()))
    return ERROR_CANCELLED;
  Unlock();
  plat::AtomicFileWriter writer(path);
  bool ok = writer.Open();
  std::string block;
  block.reserve(kWriteBlock);
  for (EditLine* line = Head(); ok && line != nullptr; line = line->next) {
    if (line->text == nullptr || line->length <= 0) continue;
    block.append(line->text, line->length);
    if (block.size() >= kWriteBlock) {
      ok = writer.Write(block);
      block.clear();
    }
  }
  if (ok && !block.empty()) ok = writer.Write(block);
  if (ok) ok = writer.Commit();
  if (ok) RememberFile(path);
  int rc = 0;
  if (!ok) {
    writer.Discard();
    rc = static_cast<int>(plat::Win32ErrorFromErrno(writer.ErrorCode()));
    if (rc == 0) rc = ERROR_WRITE_FAULT;
  }
  if (m_bLockFiles) {
    int lockRc = HoldLock(path);
    if (rc == 0) rc = lockRc;
  }
  if (rc == 0) {
    SetModified(FALSE);
    MarkSaved();
  }
  return rc;
}

int EditBuffer::InsertFile(EditPos& at, const char* path, BOOL record) {
  if (m_bReadOnly) return EDIT_READ_ONLY;
  if (at.line == nullptr) return EDIT_NO_TEXT;
  m_linesAsLoaded = false;  // lines come from another buffer
  EditBuffer loaded;
  loaded.SetLockFiles(FALSE);
  int rc = loaded.LoadFile(path);
  if (rc != 0) return rc;
  // The loaded lines and their texts now live as long as this buffer.
  if (!m_loaded.Adopt(loaded.m_loaded)) return EDIT_NO_MEMORY;
  EditLine* first = loaded.m_pLines;
  loaded.m_pLines = nullptr;
  if (first == nullptr || (first->next == nullptr && first->length == 0)) {
    FreeLines(first);  // an empty file: nothing to insert
    return 0;
  }
  // The inserted lines take this buffer's line ends, and the last one gets
  // one too, since a line follows it.
  int count = 0;
  EditLine* last = nullptr;
  for (EditLine* line = first; line != nullptr; line = line->next) {
    int content = loaded.ContentLength(line);
    if (content != line->length || line->next == nullptr) {
      if (!ReserveLine(line, content + m_nLineEndLength)) {
        FreeLines(first);
        return EDIT_NO_MEMORY;
      }
      std::memcpy(line->text + content, m_szLineEnd, m_nLineEndLength);
      line->length = content + m_nLineEndLength;
      line->text[line->length] = '\0';
    }
    ++count;
    last = line;
  }
  // Link the lines in front of at.line.
  ForgetBlockStatesAfter(at.line->lineNumber - 1);
  EditLine* before = at.line->prev;
  first->prev = before;
  if (before != nullptr) before->next = first;
  last->next = at.line;
  at.line->prev = last;
  if (m_pLines == at.line) m_pLines = first;
  at.line = first;
  at.offset = 0;
  RenumberFrom(first);
  if (record) {
    m_nLineCount += count;
    UndoRecord rec{};
    rec.type = UNDO_INSERT_FILE;
    rec.line = first->lineNumber;
    rec.endLine = first->lineNumber + count;
    AddUndoRecord(rec, path);
  }
  SetModified(TRUE);
  return 0;
}
