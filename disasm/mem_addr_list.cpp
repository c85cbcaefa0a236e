#include "disasm/mem_addr_list.h"

#include <cstdio>
#include <cstring>

#include "debugger/segoff.h"
#include "disasm/listing_line.h"
#include "disasm/disass_neighbours.h"
#include "platform/sys/msgbox.h"

CMemAddrList* g_pMemAddrList = nullptr;

namespace {

// Highest linear address of real mode plus one.
constexpr DWORD kMemoryEnd = 0x100000;

bool SameEntry(const CMemAddrEntry& a, const CMemAddrEntry& b) {
  if (a.Kind() != b.Kind() || a.address != b.address) return false;
  return a.Kind() != kEntrySource || a.sourceLine == b.sourceLine;
}

}  // namespace

CMemAddrList::~CMemAddrList() {
  for (auto& doc : m_sourceDocs) delete doc.second;
}

BOOL CMemAddrList::IsLineInMemory(int n) {
  CMemAddrEntry e;
  GetEntry(n, e);
  if (e.Kind() != 0) return e.nextAddress < kMemoryEnd;
  return 2LL * n - 6 < static_cast<long long>(kMemoryEnd);
}

CMemAddrList::Pos CMemAddrList::PosOfLine(int n) const {
  Pos p = m_entries.LowerBoundLine(n, m_hint);
  return !m_entries.IsEnd(p) && m_entries.LineAt(p) == n ? p : m_entries.End();
}

void CMemAddrList::GetEntry(int n, CMemAddrEntry& out) {
  out.flags = 0;
  Pos p = PosOfLine(n);
  if (m_entries.IsEnd(p)) return;
  m_hint = p;
  out = m_entries.At(p);
  out.flags = out.Kind();
  Pos before = p;
  if (m_entries.Prev(before)) {
    CMemAddrEntry e = m_entries.At(before);
    if (e.Kind() == kEntryInstruction && e.nextAddress != out.address) out.flags |= kEntryGapBefore;
  }
  Pos after = m_entries.Next(p);
  if (!m_entries.IsEnd(after)) {
    DWORD a = m_entries.AddressAt(after);
    if (a != out.nextAddress && a != out.address) out.flags |= kEntryGapAfter;
  }
}

void CMemAddrList::FindLine(CAddr* address, CMemAddrEntry& out, BOOL instructionsOnly) {
  out.flags = 0;
  DWORD linear = SegOffToLinear(*address);
  for (Pos p = m_entries.LowerBoundAddress(linear, m_hint); !m_entries.IsEnd(p); p = m_entries.Next(p)) {
    CMemAddrEntry e = m_entries.At(p);
    if (instructionsOnly && e.Kind() == kEntrySource) continue;
    if (e.address != linear) return;
    out = e;
    out.flags = e.Kind();
    Pos before = p;
    if (m_entries.Prev(before)) {
      CMemAddrEntry b = m_entries.At(before);
      if (b.Kind() == kEntryInstruction && b.nextAddress != e.address) out.flags |= kEntryGapBefore;
    }
    return;
  }
}

int CMemAddrList::LineFromAddress(CAddr* address) {
  CMemAddrEntry found;
  FindLine(address, found, TRUE);
  if (found.Kind() != 0) return found.line;
  DWORD linear = SegOffToLinear(*address);
  char text[kLineTextSize];
  DWORD next = Format(linear, text);
  int line = static_cast<int>((linear + 4) / 2 + 1);
  SourceLines src = SourceLinesOf(linear);
  for (int l = src.first; l <= src.last; ++l)
    line = InsertSourceEntry(line, linear, next, WORD(l), src.file, 2) + 1;
  InsertInstructionEntry(line, linear, next, 2);
  return line;
}

int CMemAddrList::GetLine(int n, DisassLine& out) {
  char* text = new char[kLineTextSize];
  text[0] = 0;
  DWORD current = 0;
  bool source = false;
  n = ProduceLine(n, text, &current, &source);
  text[kLineTextSize - 1] = 0;
  out.text = text;
  out.length = static_cast<int>(std::strlen(text));
  out.flags &= ~(kLineSource | kLineBreakpoint | kLineBookmark);
  if (source) {
    out.flags |= kLineSource;
  } else if (g_pDisassBreakpoints) {
    CAddr at;
    LinearToSegOff(at, current);
    if (g_pDisassBreakpoints->IsBreakpointSet(&at)) out.flags |= kLineBreakpoint;
  }
  return n;
}

// Steps of producing line n; *current is the instruction the line belongs
// to. The cached line's addresses change only with the cached line, so a
// line listed while walking up never moves where a walk down continues.
int CMemAddrList::ProduceLine(int n, char* text, DWORD* current, bool* source) {
  CMemAddrEntry e;
  GetEntry(n, e);
  if (n == m_cachedLine + 1 && (e.flags & kEntryGapBefore)) {
    // The walk down has reached an entry that does not follow the
    // instruction above: the walk supersedes it, or the entry would
    // travel down ahead of the walk for ever.
    RemoveLine(n);
    e.flags = 0;
  } else if (n + 1 == m_cachedLine && (e.flags & kEntryGapAfter)) {
    e.flags = 0;
  }

  if (e.Kind() == kEntryInstruction) {
    m_currentAddress = *current = e.address;
    m_nextAddress = Format(e.address, text);
    m_cachedLine = n;
    return n;
  }
  if (e.Kind() == kEntrySource) {
    FormatSourceLine(e.file, e.sourceLine, text);
    *current = e.address;
    *source = true;
    m_cachedLine = n;
    return n;
  }
  if (n == m_cachedLine + 1) {
    DWORD at = m_nextAddress;
    DWORD next = Format(at, text);
    m_currentAddress = *current = at;
    m_nextAddress = next;
    SourceLines src = SourceLinesOf(at);
    int k = n;
    if (src.file) {
      FormatSourceLine(src.file, WORD(src.first), text);
      *source = true;
      for (int l = src.first; l <= src.last; ++l) {
        int r = InsertSourceEntry(k, at, next, WORD(l), src.file, 2);
        if (r != k) n += r - k;
        k = r + 1;
      }
    }
    m_cachedLine = InsertInstructionEntry(k, at, next, 2);
    return n;
  }
  CMemAddrEntry below;
  GetEntry(n + 1, below);
  if (below.Kind() != 0) {
    DWORD next = below.address;
    DWORD at = FormatPrevious(&next, text);
    *current = at;
    InsertInstructionEntry(n, at, next, 1);
    SourceLines src = SourceLinesOf(at);
    int k = n;
    for (int l = src.last; l >= src.first && src.file; --l)
      k = InsertSourceEntry(k - 1, at, next, WORD(l), src.file, 1);
    return n;
  }
  if (n == 1) {
    DWORD next = Format(0, text);
    m_currentAddress = *current = 0;
    m_nextAddress = next;
    SourceLines src = SourceLinesOf(0);
    int k = n;
    if (src.file) {
      FormatSourceLine(src.file, WORD(src.first), text);
      *source = true;
      for (int l = src.first; l <= src.last; ++l) k = InsertSourceEntry(k, 0, next, WORD(l), src.file, 2) + 1;
    }
    InsertInstructionEntry(k, 0, next, 2);
    m_cachedLine = n;
    return n;
  }
  // A jump to a line never produced: the instruction just before its
  // estimated address. The line shows the instruction, so it counts as
  // an instruction line.
  DWORD estimate = n > 3 ? DWORD(2 * n - 6) : 0;
  char scratch[kLineTextSize];
  DWORD at = FormatPrevious(&estimate, scratch);
  DWORD next = Format(at, text);
  *current = at;
  SourceLines src = SourceLinesOf(at);
  int k = n;
  for (int l = src.last; l >= src.first && src.file; --l)
    k = InsertSourceEntry(k - 1, at, next, WORD(l), src.file, 2);
  n = InsertInstructionEntry(n, at, next, 2);
  m_currentAddress = at;
  m_nextAddress = next;
  m_cachedLine = n;
  return n;
}

void CMemAddrList::FormatSourceLine(LPCSTR file, WORD line, char* out) {
  if (!file) file = "";
  CDisassSourceDoc* doc = nullptr;
  bool known = false;
  for (auto& d : m_sourceDocs) {
    if (d.first == file) {
      doc = d.second;
      known = true;
      break;
    }
  }
  if (!known && g_pfnNewDisassSourceDoc) {
    doc = g_pfnNewDisassSourceDoc();
    if (doc) doc->LoadSourceFile(file);
    m_sourceDocs.emplace_back(file, doc);
  }
  LPCSTR lineText = doc ? doc->GetLineText(line) : "";
  std::snprintf(out, kLineTextSize, "%s %d:%s", file, int(line), lineText ? lineText : "");
}

int CMemAddrList::InsertInstructionEntry(int line, DWORD address, DWORD next, int direction) {
  CMemAddrEntry e;
  e.address = address;
  e.nextAddress = next;
  e.flags = kEntryInstruction;
  return InsertEntry(e, line, direction);
}

int CMemAddrList::InsertSourceEntry(int line, DWORD address, DWORD next, WORD sourceLine, LPCSTR file,
                                    int direction) {
  CMemAddrEntry e;
  e.address = address;
  e.nextAddress = next;
  e.sourceLine = sourceLine;
  e.file = Intern(file);
  e.flags = kEntrySource;
  return InsertEntry(e, line, direction);
}

int CMemAddrList::InsertEntry(const CMemAddrEntry& entry, int line, int direction) {
  // The same entry listed above the line, else the first entry at or
  // below it.
  Pos at = FindSame(entry);
  if (m_entries.IsEnd(at) || m_entries.LineAt(at) >= line) at = m_entries.LowerBoundLine(line, m_hint);
  if (m_entries.IsEnd(at)) {
    Place(at, entry, line);
    return line;
  }
  int atLine = m_entries.LineAt(at);
  bool same = SameEntry(m_entries.At(at), entry);
  if (same && atLine != line) {
    MoveTo(at, line, direction);
  } else if (atLine != line) {
    Place(at, entry, line);
  } else if (!same) {
    if (direction == 2) {
      m_entries.ShiftFrom(at, 1);
      Place(at, entry, line);
    } else if (direction == 1) {
      m_entries.ShiftThrough(at, -1);
      Place(m_entries.Next(at), entry, line);
    } else {
      MessageBox(nullptr, "incorrect code for insertion direction", "Error", MB_OK);
      Place(at, entry, line);
    }
  }
  return line;
}

// The first listed entry that stands for the same line as this one.
CMemAddrList::Pos CMemAddrList::FindSame(const CMemAddrEntry& entry) const {
  Pos p = m_entries.LowerBoundAddress(entry.address, m_hint);
  for (; !m_entries.IsEnd(p) && m_entries.AddressAt(p) == entry.address; p = m_entries.Next(p)) {
    if (SameEntry(m_entries.At(p), entry)) return p;
  }
  return m_entries.End();
}

// Moves a listed entry to a line with the entries below it (direction 2)
// or above it. Entries that the run above passes on its way down are
// dropped, so the lines stay in order.
void CMemAddrList::MoveTo(Pos p, int line, int direction) {
  int delta = line - m_entries.LineAt(p);
  if (direction == 2) {
    m_entries.ShiftFrom(p, delta);
    return;
  }
  m_entries.ShiftThrough(p, delta);
  Pos next = m_entries.Next(p);
  while (!m_entries.IsEnd(next) && m_entries.LineAt(next) <= line) next = m_entries.Erase(next);
}

// Lists an entry at a line, before the entry at p. Listed entries that its
// address contradicts, a higher address above it or a lower one below it,
// are dropped: they were listed by an earlier jump and a walk or jump has
// superseded them.
void CMemAddrList::Place(Pos p, CMemAddrEntry entry, int line) {
  entry.line = line;
  entry.flags &= kEntryKindMask;
  while (!m_entries.IsEnd(p) && m_entries.AddressAt(p) < entry.address) p = m_entries.Erase(p);
  for (;;) {
    Pos before = p;
    if (!m_entries.Prev(before) || m_entries.AddressAt(before) <= entry.address) break;
    p = m_entries.Erase(before);
  }
  m_hint = m_entries.Insert(p, entry);
}

void CMemAddrList::RemoveLine(int n) {
  Pos p = PosOfLine(n);
  if (!m_entries.IsEnd(p)) m_entries.Erase(p);
}

CMemAddrList::SourceLines CMemAddrList::SourceLinesOf(DWORD address) {
  SourceLines src;
  if (!g_pDisassSourceInfo) return src;
  CAddr at;
  LinearToSegOff(at, address);
  LPCSTR file = nullptr;
  short first = 0, last = -1;
  g_pDisassSourceInfo->GetSourceLinesOfAddress(&at, &file, &first, &last);
  if (!file) return src;
  // Source lines are numbered from 1.
  if (first < 1) first = 1;
  if (last < first) return src;
  src.file = Intern(file);
  src.first = first;
  src.last = last;
  return src;
}

LPCSTR CMemAddrList::Intern(LPCSTR file) {
  if (!file) return nullptr;
  return m_fileNames.insert(file).first->c_str();
}

// The instruction line through the session's disassembler; without one the
// line shows the address alone and advances a byte.
DWORD CMemAddrList::Format(DWORD address, char* text) {
  if (g_pDisass) return g_pDisass->FormatLine(address, text);
  std::snprintf(text, kLineTextSize, "%08x: ", address);
  return address + 1;
}

DWORD CMemAddrList::FormatPrevious(DWORD* address, char* text) {
  if (g_pDisass) return g_pDisass->FormatPreviousLine(address, text);
  DWORD start = *address > 0 ? *address - 1 : 0;
  std::snprintf(text, kLineTextSize, "%08x: ", start);
  *address = start + 1;
  return start;
}

void CMemAddrList::ToggleBookmark(int, int) {
  MessageBox(nullptr, "bookmarks are not implemented yet", "Sorry", MB_OK);
}

BOOL CMemAddrList::GetListedLines(int* first, int* last) const {
  if (m_entries.Size() == 0) return FALSE;
  Pos end = m_entries.End();
  m_entries.Prev(end);
  *first = m_entries.LineAt(Pos(0, 0));
  *last = m_entries.LineAt(end);
  return TRUE;
}
