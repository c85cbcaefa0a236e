#include <algorithm>
#include <climits>
#include <cstring>

#include "editor/editbuffer.h"
#include "editor/linepool.h"

namespace {

// An own text's room is at most this: its bytes (kMaxLineBytes at most, so
// that they fit the line's length) and their NUL.
constexpr int kMaxTextRoom = kMaxLineBytes + 1;
constexpr int kTextHeaderBytes = static_cast<int>(sizeof(EditTextHeader));

// Blocks (the header, then the room) of 16-byte steps with 16 to 31 bytes
// of slack, of which the header takes 8.
int CapacityFor(int n) { return std::min(((n + 31) & ~15) - kTextHeaderBytes, kMaxTextRoom); }
// Room for the bytes and their NUL only (lines as read, seldom all edited).
int TightCapacityFor(int n) { return std::min((n + 8) & ~7, kMaxTextRoom); }

// The block of an own text begins with its header.
void* LinesTextBlock(const EditLine* line) { return line->text - kTextHeaderBytes; }
size_t LinesTextBlockSize(int capacity) { return static_cast<size_t>(capacity) + kTextHeaderBytes; }

char* LinesTextIn(void* block, int capacity) {
  EditTextHeader header{capacity, 0};
  std::memcpy(block, &header, sizeof header);
  return static_cast<char*>(block) + kTextHeaderBytes;
}

}  // namespace

EditLine* EditBuffer::GetLine(int n) {
  EditLine* line = Head();
  if (line == nullptr) return nullptr;
  for (int i = 1; i < n && line->next != nullptr; ++i) line = line->next;
  if (n < 1) return GetTail(line);
  return line;
}

int EditBuffer::Renumber(EditLine* any) {
  if (any == nullptr) return 0;
  EditLine* line = GetHead(any);
  int n = 0;
  for (; line != nullptr; line = line->next) line->lineNumber = ++n;
  return n;
}

// Numbers the lines from `line` on, taking the number before it as right.
void EditBuffer::RenumberFrom(EditLine* line) {
  if (line == nullptr) return;
  int n = line->prev != nullptr ? line->prev->lineNumber : 0;
  for (; line != nullptr; line = line->next) line->lineNumber = ++n;
}

EditLine* EditBuffer::GetHead(EditLine* any, int* index) {
  if (any == nullptr) {
    if (index != nullptr) *index = 0;
    return nullptr;
  }
  int n = 1;
  while (any->prev != nullptr) {
    any = any->prev;
    ++n;
  }
  if (index != nullptr) *index = n;
  return any;
}

EditLine* EditBuffer::GetTail(EditLine* line) {
  if (line == nullptr) return nullptr;
  while (line->next != nullptr) line = line->next;
  return line;
}

void EditBuffer::LinkAfter(EditLine* chainHead, EditLine* line) {
  if (chainHead == nullptr || line == nullptr) return;
  EditLine* chainTail = GetTail(chainHead);
  chainTail->next = line->next;
  if (line->next != nullptr) line->next->prev = chainTail;
  line->next = chainHead;
  chainHead->prev = line;
  // An empty bookmarked line split at its start keeps the mark on the line
  // that stays empty below.
  if ((line->flags & LINE_BOOKMARK) && IsBareLineEnd(line)) {
    line->flags &= ~LINE_BOOKMARK;
    chainTail->flags |= LINE_BOOKMARK;
  }
}

void EditBuffer::FreeLine(EditLine* line) {
  if (line == nullptr) return;
  m_linesAsLoaded = false;
  FreeText(line);
  if (!m_loaded.HoldsRecord(line)) editpool::Free(line, sizeof(EditLine));
}

void EditBuffer::FreeText(EditLine* line) {
  if (line->shared) {
    m_shared.Release(line->text);
    line->shared = 0;
    return;
  }
  int capacity = TextCapacity(line);
  if (capacity != 0) editpool::Free(LinesTextBlock(line), LinesTextBlockSize(capacity));
}

void EditBuffer::FreeLines(EditLine* any) {
  if (m_linesAsLoaded) {
    m_linesAsLoaded = false;
    return;  // nothing of their own: the loaded blocks go back as a whole
  }
  EditLine* line = GetHead(any);
  editpool::FreeBatch batch;
  while (line != nullptr) {
    EditLine* next = line->next;
    // Records made one after another lie in a row: fetch those ahead.
    __builtin_prefetch(reinterpret_cast<const char*>(line) + 8 * sizeof(EditLine));
    int capacity = TextCapacity(line);
    if (capacity != 0) batch.Free(LinesTextBlock(line), LinesTextBlockSize(capacity));
    if (line->shared) m_shared.Release(line->text);
    if (!m_loaded.HoldsRecord(line)) batch.Free(line, sizeof(EditLine));
    line = next;
  }
}

char* EditBuffer::AllocText(int capacity) {
  m_linesAsLoaded = false;
  if (capacity <= 0 || capacity > kMaxTextRoom) return nullptr;
  void* block = editpool::Alloc(LinesTextBlockSize(capacity), editpool::Stream::kTexts);
  return block != nullptr ? LinesTextIn(block, capacity) : nullptr;
}

EditLine* EditBuffer::CreateLine(int n, LineRoom room) {
  m_linesAsLoaded = false;
  if (n < 0 || n > kMaxLineBytes) return nullptr;
  if (n == 0) {
    EditLine* line = static_cast<EditLine*>(editpool::Alloc(sizeof(EditLine), editpool::Stream::kRecords));
    if (line != nullptr) line->lineNumber = 1;
    return line;
  }
  int capacity = room == LineRoom::kGrowth ? CapacityFor(n) : TightCapacityFor(n);
  void* record;
  void* text;
  if (!editpool::AllocPair(sizeof(EditLine), LinesTextBlockSize(capacity), &record, &text)) return nullptr;
  EditLine* line = static_cast<EditLine*>(record);
  line->lineNumber = 1;
  line->text = LinesTextIn(text, capacity);
  return line;
}

// Grows a line's text to hold n bytes and a NUL. Long lines grow by half
// their size at least, so that typing into them stays linear.
BOOL EditBuffer::ReserveLine(EditLine* line, int n, LineRoom room) {
  if (line == nullptr || n < 0 || n > kMaxLineBytes) return FALSE;
  int old = TextCapacity(line);
  if (old > n) return TRUE;
  // A borrowed text is copied whole, whatever room is asked for.
  if (IsBorrowed(line)) n = std::max<int>(n, line->length);
  int capacity = room == LineRoom::kGrowth ? CapacityFor(n) : TightCapacityFor(n);
  if (old >= 256 && room == LineRoom::kGrowth) {
    long grown = ((((long)old + kTextHeaderBytes) * 3 / 2 + 15) & ~15L) - kTextHeaderBytes;
    capacity = static_cast<int>(std::min<long>(std::max<long>(capacity, grown), kMaxTextRoom));
  }
  char* text = AllocText(capacity);
  if (text == nullptr) return FALSE;
  if (line->text != nullptr) {
    std::memcpy(text, line->text, line->length);
    FreeText(line);
  }
  line->text = text;
  line->borrowed = 0;
  return TRUE;
}

bool EditBuffer::IsBareLineEnd(const EditLine* line) const {
  return line != nullptr && line->text != nullptr && line->length == m_nLineEndLength &&
         std::memcmp(line->text, m_szLineEnd, m_nLineEndLength) == 0;
}

BOOL EditBuffer::IsBefore(EditPos a, EditPos b) {
  if (a.line == b.line) return a.offset <= b.offset;
  // Walks both ways from a at once: the cost is the distance to b.
  EditLine* down = a.line != nullptr ? a.line->next : nullptr;
  EditLine* up = a.line != nullptr ? a.line->prev : nullptr;
  while (down != nullptr || up != nullptr) {
    if (down == b.line) return TRUE;
    if (up == b.line) return FALSE;
    if (down != nullptr) down = down->next;
    if (up != nullptr) up = up->prev;
  }
  return FALSE;
}

int EditBuffer::ContentLength(const EditLine* line) const {
  if (line == nullptr || line->text == nullptr) return 0;
  int n = line->length;
  int le = m_nLineEndLength;
  if (n >= le && line->text[n - le] == m_szLineEnd[0] && (le == 1 || line->text[n - 1] == m_szLineEnd[1])) {
    return n - le;
  }
  return n;
}
