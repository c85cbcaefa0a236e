#include "disasm/disass_edit.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "disasm/mem_addr_list.h"
#include "editor/colourtext.h"
#include "editor/editplatform.h"
#include "editor/textcolumns.h"

namespace {

// The vertical scroll range of a new model, in lines.
constexpr int kShownLines = 50;

char* NewText(const std::string& s) {
  char* out = new char[s.size() + 1];
  std::memcpy(out, s.data(), s.size());
  out[s.size()] = 0;
  return out;
}

}  // namespace

DisassEdit::DisassEdit() : m_undo(*this) {
  m_nLineCount = kShownLines;
  LoadSettings();
  SetLineEndType(EditProfileInt(m_strSection, "Line end type", LINEEND_CRLF));
}

DisassEdit::~DisassEdit() = default;

void DisassEdit::LoadSyntaxSettings() {
  m_keywords.Clear();
  ReadLanguageSettings();
  m_crDisassembly = ParseColour(EditProfileString(m_strSection, "Disassembly", "128,128,128"));
}

void DisassEdit::LoadSettings() {
  LoadSyntaxSettings();
  ReadOptions(m_strSection);
}

BOOL DisassEdit::IsLineValid(int line) { return g_pMemAddrList && g_pMemAddrList->IsLineValid(line); }

std::string DisassEdit::LineText(int line) {
  if (!IsLineValid(line)) return std::string();
  DisassLine l;
  g_pMemAddrList->GetLine(line, l);
  std::string text(l.text ? l.text : "", l.text ? size_t(l.length) : 0);
  delete[] l.text;
  return text;
}

BOOL DisassEdit::IsBefore(DisassPos a, DisassPos b) {
  if (a.line == b.line) return a.offset <= b.offset;
  return b.line > a.line;
}

// Line ends of the kind that comes first become CR LF, unless it is CR LF.
void DisassEdit::ToCrLf(std::string& text) {
  size_t i = text.find_first_of("\r\n");
  if (i == std::string::npos) return;
  std::string kind;
  if (text[i] == '\r') {
    if (i + 1 < text.size() && text[i + 1] == '\n') return;
    kind = "\r";
  } else {
    kind = (i + 1 < text.size() && text[i + 1] == '\r') ? "\n\r" : "\n";
  }
  std::string out;
  for (size_t p = 0; p < text.size();) {
    if (text.compare(p, kind.size(), kind) == 0) {
      out += "\r\n";
      p += kind.size();
    } else {
      out += text[p++];
    }
  }
  text.swap(out);
}

char* DisassEdit::GetText(DisassPos start, DisassPos end) {
  if (!IsBefore(start, end)) std::swap(start, end);
  std::string out;
  if (start.line == end.line) {
    std::string line = LineText(start.line);
    int from = std::clamp(start.offset, 0, int(line.size()));
    int to = std::clamp(end.offset, from, int(line.size()));
    out = line.substr(from, to - from);
  } else {
    std::string first = LineText(start.line);
    if (start.offset >= 0 && size_t(start.offset) < first.size()) out += first.substr(start.offset) + "\r\n";
    for (int n = start.line + 1; n < end.line && IsLineValid(n); ++n) out += LineText(n) + "\r\n";
    std::string last = LineText(end.line);
    out += last.substr(0, std::clamp(end.offset, 0, int(last.size())));
  }
  ToCrLf(out);
  return NewText(out);
}

char* DisassEdit::GetColumnText(DisassPos a, DisassPos b) {
  if (!IsBefore(a, b)) std::swap(a, b);
  if (a.offset > b.offset) std::swap(a.offset, b.offset);
  int left = OffsetToColumn(a.line, a.offset);
  int right = OffsetToColumn(a.line, b.offset);
  int width = right - left;
  std::string out;
  for (int n = a.line; n <= b.line && IsLineValid(n); ++n) {
    if (n > a.line) out += m_szLineEnd;
    std::string line = LineText(n);
    int len = 0;
    char* expanded = ExpandTabs(line.data(), int(line.size()), m_nTabSize, m_nLineEndLength, &len);
    if (expanded == nullptr) return nullptr;
    std::string row(expanded, len);
    std::free(expanded);
    if (int(row.size()) < right) {
      std::string part = int(row.size()) > left ? row.substr(left) : std::string();
      part.resize(width, ' ');
      out += part;
    } else {
      out += row.substr(left, width);
    }
  }
  ToCrLf(out);
  return NewText(out);
}

char* DisassEdit::ExpandTabs(const char* text, int length, int tabSize, int lineEndLength, int* outLength) {
  return textcols::ExpandTabs(text, length, std::max(tabSize, kMinTabSize), lineEndLength, outLength);
}

// A line without text gives the argument back in both directions.
int DisassEdit::OffsetToColumn(int line, int offset) {
  std::string text = LineText(line);
  if (text.empty()) return offset;
  return textcols::OffsetToColumn(text.data(), int(text.size()), offset, m_nTabSize);
}

int DisassEdit::ColumnToOffset(int line, int column) {
  std::string text = LineText(line);
  if (text.empty()) return column;
  return textcols::ColumnToOffset(text.data(), int(text.size()), column, m_nTabSize);
}

int DisassEdit::DeleteChars(DisassPos pos, int count, BOOL undo) {
  if (count == 1) return DeleteChar(pos, undo);
  std::string copied;
  if (undo) {
    std::string line = LineText(pos.line);
    int from = std::clamp(pos.offset, 0, int(line.size()));
    int n = std::clamp(count, 0, int(line.size()) - from);
    copied = line.substr(from, n);
  }
  int result = 0;
  for (int i = 0; i < count; ++i) {
    result = DeleteChar(pos, FALSE);
    if (result != 0 && result != kDisassErrNothingToDelete) break;
  }
  if (result == 0 && undo) {
    DisassUndoRecord r;
    r.kind = 3;
    r.startLine = pos.line;
    r.startOffset = pos.offset;
    r.endLine = pos.line;
    r.endOffset = pos.offset + count;
    AddUndoRecord(r, copied.c_str());
  }
  return result;
}

int DisassEdit::DeleteColumnBlock(DisassPos a, DisassPos b, BOOL undo) {
  if (IsReadOnly()) return kDisassErrReadOnly;
  if (!IsBefore(a, b)) std::swap(a, b);
  char* block = undo ? GetColumnText(a, b) : nullptr;
  int left = OffsetToColumn(a.line, a.offset);
  int result = 0;
  for (int n = a.line; n <= b.line && IsLineValid(n); ++n)
    result = DeleteChars({n, ColumnToOffset(n, left)}, b.offset - a.offset, FALSE);
  if (result == 0 && undo) {
    DisassUndoRecord r;
    r.kind = 9;
    r.startLine = a.line;
    r.startOffset = a.offset;
    r.endLine = b.line;
    r.endOffset = b.offset;
    AddUndoRecord(r, block);
  }
  delete[] block;
  return result;
}
