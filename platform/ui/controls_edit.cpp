// The edit control: single and multi-line text with selection, caret,
// scrolling, limit, read-only and password modes, one level of undo, the
// clipboard, and EN_* notifications to the parent.
#include <algorithm>
#include <vector>

#include "platform/base/charcase.h"
#include "platform/base/winstring.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/controls_impl.h"
#include "platform/ui/dialog.h"
#include "platform/ui/system_classes.h"

namespace mirt_ui {
namespace {

struct EditState {
  std::string text;
  int anchor = 0, caret = 0;
  int limit = 30000;
  bool modified = false;
  std::string undoText;
  int undoAnchor = 0, undoCaret = 0;
  bool canUndo = false;
  char password = 0;
  int scrollX = 0;
  int firstLine = 0;
  std::vector<int> tabs;  // pixels
  int marginLeft = 1, marginRight = 1;
  bool tracking = false;
  // Line starts of `text` while startsValid; appends at the end extend
  // them, every other change drops them.
  mutable std::vector<int> starts{0};
  mutable bool startsValid = true;
};

bool Multi(HWND h) { return StyleOf(h) & ES_MULTILINE; }
int SelMin(const EditState& s) { return std::min(s.anchor, s.caret); }
int SelMax(const EditState& s) { return std::max(s.anchor, s.caret); }

// Line starts of the text; a line ends before "\r\n" or "\n".
void AppendLineStarts(std::vector<int>& v, const std::string& t, size_t from) {
  for (size_t i = from; i < t.size(); ++i)
    if (t[i] == '\n') v.push_back(static_cast<int>(i) + 1);
}

const std::vector<int>& LineStarts(const EditState& s) {
  if (!s.startsValid) {
    s.starts.assign(1, 0);
    AppendLineStarts(s.starts, s.text, 0);
    s.startsValid = true;
  }
  return s.starts;
}

int LineEnd(const std::string& t, const std::vector<int>& starts, int line) {
  if (line + 1 >= static_cast<int>(starts.size())) return static_cast<int>(t.size());
  int end = starts[line + 1] - 1;  // the '\n'
  if (end > starts[line] && t[end - 1] == '\r') --end;
  return end;
}

int LineOf(const std::vector<int>& starts, int pos) {
  auto it = std::upper_bound(starts.begin(), starts.end(), pos);
  return static_cast<int>(it - starts.begin()) - 1;
}

// A device context with the control's font, for measuring.
class MeasureDC {
 public:
  explicit MeasureDC(HWND h) : h_(h), dc_(GetDC(h)) { old_ = SelectObject(dc_, ControlFont(h)); }
  ~MeasureDC() {
    SelectObject(dc_, old_);
    ReleaseDC(h_, dc_);
  }
  HDC dc() const { return dc_; }

 private:
  HWND h_;
  HDC dc_;
  HGDIOBJ old_;
};

std::string Shown(const EditState& s, const std::string& part) {
  return s.password ? std::string(part.size(), s.password) : part;
}

int Extent(HDC dc, const EditState& s, const std::string& str, int n) {
  if (n <= 0) return 0;
  std::string shown = Shown(s, str.substr(0, static_cast<size_t>(n)));
  if (shown.find('\t') != std::string::npos) {
    DWORD e = GetTabbedTextExtent(dc, shown.c_str(), n, static_cast<int>(s.tabs.size()),
                                  s.tabs.empty() ? nullptr : s.tabs.data());
    return LOWORD(e);
  }
  SIZE sz{};
  GetTextExtentPoint32(dc, shown.c_str(), n, &sz);
  return sz.cx;
}

RECT FormatRect(HWND h, const EditState& s) {
  RECT r;
  GetClientRect(h, &r);
  r.left += s.marginLeft;
  r.right -= s.marginRight;
  r.top += Multi(h) ? 1 : 0;
  return r;
}

int LineHeight(HWND h) { return FontLineHeight(ControlFont(h)); }

// Left edge of line text in client coordinates (alignment of one line).
int LineX(HWND h, HDC dc, const EditState& s, const std::string& line) {
  RECT fr = FormatRect(h, s);
  DWORD align = StyleOf(h) & (ES_CENTER | ES_RIGHT);
  int width = Extent(dc, s, line, static_cast<int>(line.size()));
  int avail = fr.right - fr.left;
  if (align == ES_CENTER && width < avail) return fr.left + (avail - width) / 2;
  if (align == ES_RIGHT && width < avail) return fr.right - width;
  return fr.left - s.scrollX;
}

int LineTop(HWND h, const EditState& s, int line) {
  RECT fr = FormatRect(h, s);
  if (!Multi(h)) {
    int lh = LineHeight(h);
    RECT c;
    GetClientRect(h, &c);
    int top = (c.bottom - lh) / 2;
    return std::max<int>(0, std::min<int>(top, 1));
  }
  return fr.top + (line - s.firstLine) * LineHeight(h);
}

POINT PosFromChar(HWND h, const EditState& s, int pos) {
  MeasureDC m(h);
  const std::vector<int>& starts = LineStarts(s);
  int line = Multi(h) ? LineOf(starts, pos) : 0;
  int start = Multi(h) ? starts[line] : 0;
  int end = Multi(h) ? LineEnd(s.text, starts, line) : static_cast<int>(s.text.size());
  std::string lineText = s.text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
  int x = LineX(h, m.dc(), s, lineText) + Extent(m.dc(), s, lineText, std::min(pos, end) - start);
  return POINT{x, LineTop(h, s, line)};
}

int CharFromPos(HWND h, const EditState& s, int x, int y) {
  MeasureDC m(h);
  const std::vector<int>& starts = LineStarts(s);
  int line = 0;
  if (Multi(h)) {
    RECT fr = FormatRect(h, s);
    int lh = std::max(1, LineHeight(h));
    int dy = y - fr.top;
    line = s.firstLine + (dy < 0 ? (dy - lh + 1) / lh : dy / lh);
    line = std::clamp(line, 0, static_cast<int>(starts.size()) - 1);
  }
  int start = Multi(h) ? starts[line] : 0;
  int end = Multi(h) ? LineEnd(s.text, starts, line) : static_cast<int>(s.text.size());
  std::string lineText = s.text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
  int x0 = LineX(h, m.dc(), s, lineText);
  int best = start;
  int prev = 0;
  for (int i = 1; i <= end - start; ++i) {
    int w = Extent(m.dc(), s, lineText, i);
    if (x - x0 < (prev + w) / 2) break;
    best = start + i;
    prev = w;
  }
  return best;
}

void UpdateCaret(HWND h, EditState& s) {
  if (GetFocus() != h) return;
  POINT p = PosFromChar(h, s, s.caret);
  SetCaretPos(p.x, p.y);
}

void UpdateScrollBars(HWND h, EditState& s) {
  if (!Multi(h) || !(StyleOf(h) & WS_VSCROLL)) return;
  int lines = static_cast<int>(LineStarts(s).size());
  RECT fr = FormatRect(h, s);
  int page = std::max(1, static_cast<int>((fr.bottom - fr.top) / std::max(1, LineHeight(h))));
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, lines - 1, static_cast<UINT>(page), s.firstLine,
                0};
  SetScrollInfo(h, SB_VERT, &si, TRUE);
}

// Scrolls so that the caret is inside the formatting rectangle.
void ScrollCaretIntoView(HWND h, EditState& s) {
  RECT fr = FormatRect(h, s);
  int width = fr.right - fr.left;
  MeasureDC m(h);
  const std::vector<int>& starts = LineStarts(s);
  int line = Multi(h) ? LineOf(starts, s.caret) : 0;
  int start = Multi(h) ? starts[line] : 0;
  std::string lineText = s.text.substr(static_cast<size_t>(start), static_cast<size_t>(s.caret - start));
  int x = Extent(m.dc(), s, lineText, s.caret - start);
  int oldX = s.scrollX, oldFirst = s.firstLine;
  if (x - s.scrollX > width - 1) s.scrollX = x - width + std::max(1, width / 4);
  if (x < s.scrollX) s.scrollX = std::max(0, x - width / 4);
  if (Multi(h)) {
    int page = std::max(1, static_cast<int>((fr.bottom - fr.top) / std::max(1, LineHeight(h))));
    if (line < s.firstLine) s.firstLine = line;
    if (line >= s.firstLine + page) s.firstLine = line - page + 1;
  }
  if (oldX != s.scrollX || oldFirst != s.firstLine) {
    InvalidateRect(h, nullptr, TRUE);
    UpdateScrollBars(h, s);
  }
}

void SelectionChanged(HWND h, EditState& s) {
  ScrollCaretIntoView(h, s);
  InvalidateRect(h, nullptr, FALSE);
  UpdateCaret(h, s);
}

void SetSel(HWND h, EditState& s, int start, int end) {
  int n = static_cast<int>(s.text.size());
  if (start == -1) {
    s.anchor = s.caret = SelMax(s) == SelMin(s) ? s.caret : SelMin(s);
  } else {
    if (start < 0 || start > n) start = n;
    if (end < 0 || end > n) end = n;
    s.anchor = start;
    s.caret = end;
  }
  SelectionChanged(h, s);
}

void TextChanged(HWND h, EditState& s, bool notify) {
  UpdateScrollBars(h, s);
  ScrollCaretIntoView(h, s);
  InvalidateRect(h, nullptr, TRUE);
  UpdateCaret(h, s);
  if (!notify) return;
  NotifyParent(h, EN_UPDATE);
  if (IsWindow(h)) NotifyParent(h, EN_CHANGE);
}

// Replaces the selection; returns false when the limit allowed nothing.
bool ReplaceSel(HWND h, EditState& s, std::string ins, bool undoable, bool notify) {
  int a = SelMin(s), b = SelMax(s);
  if (!Multi(h)) {
    size_t cut = ins.find_first_of("\r\n");
    if (cut != std::string::npos) ins.resize(cut);
  }
  int room = s.limit - (static_cast<int>(s.text.size()) - (b - a));
  bool truncated = false;
  if (static_cast<int>(ins.size()) > std::max(0, room)) {
    ins.resize(static_cast<size_t>(std::max(0, room)));
    truncated = true;
  }
  if (ins.empty() && a == b) {
    if (truncated) NotifyParent(h, EN_MAXTEXT);
    return false;
  }
  if (undoable) {
    s.undoText = s.text;
    s.undoAnchor = s.anchor;
    s.undoCaret = s.caret;
    s.canUndo = true;
  }
  const bool append = a == b && a == static_cast<int>(s.text.size());
  s.text.replace(static_cast<size_t>(a), static_cast<size_t>(b - a), ins);
  if (append && s.startsValid)
    AppendLineStarts(s.starts, s.text, static_cast<size_t>(a));
  else
    s.startsValid = false;
  s.anchor = s.caret = a + static_cast<int>(ins.size());
  s.modified = true;
  TextChanged(h, s, notify);
  if (truncated && IsWindow(h)) NotifyParent(h, EN_MAXTEXT);
  return true;
}

bool ReadOnly(HWND h) { return StyleOf(h) & ES_READONLY; }

void Copy(HWND h, EditState& s) {
  if (s.password || SelMin(s) == SelMax(s)) return;
  SetClipboardText(h,
                   s.text.substr(static_cast<size_t>(SelMin(s)), static_cast<size_t>(SelMax(s) - SelMin(s))));
}

void Paste(HWND h, EditState& s) {
  if (ReadOnly(h)) return;
  std::string t;
  if (!ClipboardText(&t)) return;
  ReplaceSel(h, s, t, true, true);
}

void Clear(HWND h, EditState& s) {
  if (ReadOnly(h) || SelMin(s) == SelMax(s)) return;
  ReplaceSel(h, s, std::string(), true, true);
}

void Undo(HWND h, EditState& s) {
  if (!s.canUndo) return;
  std::swap(s.text, s.undoText);
  s.startsValid = false;
  std::swap(s.anchor, s.undoAnchor);
  std::swap(s.caret, s.undoCaret);
  s.modified = true;
  TextChanged(h, s, true);
}

bool IsWordChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u > ' ' && !strchr("\t\r\n.,;:!?()[]{}<>\"'=+-*/\\|&^%$#@~`", c);
}

int WordLeft(const std::string& t, int pos) {
  while (pos > 0 && !IsWordChar(t[pos - 1])) --pos;
  while (pos > 0 && IsWordChar(t[pos - 1])) --pos;
  return pos;
}

int WordRight(const std::string& t, int pos) {
  int n = static_cast<int>(t.size());
  while (pos < n && IsWordChar(t[pos])) ++pos;
  while (pos < n && !IsWordChar(t[pos])) ++pos;
  return pos;
}

// A caret move; with Shift the anchor stays.
void MoveCaret(HWND h, EditState& s, int pos, bool extend) {
  pos = std::clamp(pos, 0, static_cast<int>(s.text.size()));
  // Never between CR and LF.
  if (pos > 0 && pos < static_cast<int>(s.text.size()) && s.text[pos - 1] == '\r' && s.text[pos] == '\n')
    pos += pos > s.caret ? 1 : -1;
  s.caret = pos;
  if (!extend) s.anchor = pos;
  SelectionChanged(h, s);
}

int LineMove(HWND h, EditState& s, int lines) {
  const std::vector<int>& starts = LineStarts(s);
  int line = LineOf(starts, s.caret);
  int target = std::clamp(line + lines, 0, static_cast<int>(starts.size()) - 1);
  if (target == line) return lines < 0 ? (line == 0 ? 0 : s.caret) : s.caret;
  POINT p = PosFromChar(h, s, s.caret);
  int lh = LineHeight(h);
  return CharFromPos(h, s, p.x, LineTop(h, s, target) + lh / 2);
}

int PageLines(HWND h, EditState& s) {
  RECT fr = FormatRect(h, s);
  return std::max(1, static_cast<int>((fr.bottom - fr.top) / std::max(1, LineHeight(h))));
}

// The edit of a combo box leaves list keys to the combo box.
bool ComboKey(HWND h, UINT msg, WPARAM vk) {
  HWND parent = GetParent(h);
  char cls[16] = {0};
  if (!parent || !GetClassName(parent, cls, sizeof cls) || lstrcmpi(cls, "COMBOBOX") != 0) return false;
  bool alt = GetKeyState(VK_MENU) & 0x8000;
  if (vk == VK_UP || vk == VK_DOWN || vk == VK_F4 || vk == VK_PRIOR || vk == VK_NEXT ||
      (alt && vk == VK_DOWN) ||
      ((vk == VK_RETURN || vk == VK_ESCAPE) && SendMessage(parent, CB_GETDROPPEDSTATE, 0, 0))) {
    SendMessage(parent, msg, vk, 0);
    return true;
  }
  return false;
}

void KeyDown(HWND h, EditState& s, WPARAM vk) {
  bool shift = GetKeyState(VK_SHIFT) & 0x8000;
  bool ctrl = GetKeyState(VK_CONTROL) & 0x8000;
  const std::vector<int>& starts = LineStarts(s);
  int line = LineOf(starts, s.caret);
  switch (vk) {
    case VK_LEFT:
      if (!shift && SelMin(s) != SelMax(s) && !ctrl) return MoveCaret(h, s, SelMin(s), false);
      return MoveCaret(h, s, ctrl ? WordLeft(s.text, s.caret) : s.caret - 1, shift);
    case VK_RIGHT:
      if (!shift && SelMin(s) != SelMax(s) && !ctrl) return MoveCaret(h, s, SelMax(s), false);
      return MoveCaret(h, s, ctrl ? WordRight(s.text, s.caret) : s.caret + 1, shift);
    case VK_HOME:
      return MoveCaret(h, s, (ctrl || !Multi(h)) ? 0 : starts[line], shift);
    case VK_END:
      return MoveCaret(
          h, s, (ctrl || !Multi(h)) ? static_cast<int>(s.text.size()) : LineEnd(s.text, starts, line), shift);
    case VK_UP:
      if (Multi(h)) return MoveCaret(h, s, LineMove(h, s, -1), shift);
      return MoveCaret(h, s, s.caret - 1, shift);
    case VK_DOWN:
      if (Multi(h)) return MoveCaret(h, s, LineMove(h, s, 1), shift);
      return MoveCaret(h, s, s.caret + 1, shift);
    case VK_PRIOR:
      if (Multi(h)) return MoveCaret(h, s, LineMove(h, s, -PageLines(h, s)), shift);
      return;
    case VK_NEXT:
      if (Multi(h)) return MoveCaret(h, s, LineMove(h, s, PageLines(h, s)), shift);
      return;
    case VK_DELETE:
      if (ReadOnly(h)) return;
      if (shift) {
        Copy(h, s);
        return Clear(h, s);
      }
      if (SelMin(s) == SelMax(s)) {
        int end = s.caret + 1;
        if (s.caret + 1 < static_cast<int>(s.text.size()) && s.text[s.caret] == '\r' &&
            s.text[s.caret + 1] == '\n')
          end = s.caret + 2;
        if (s.caret >= static_cast<int>(s.text.size())) return;
        s.anchor = end;
      }
      ReplaceSel(h, s, std::string(), true, true);
      return;
    case VK_INSERT:
      if (ctrl) Copy(h, s);
      if (shift) Paste(h, s);
      return;
  }
}

void Char(HWND h, EditState& s, unsigned char c) {
  DWORD style = StyleOf(h);
  switch (c) {
    case 3:
      return Copy(h, s);
    case 22:
      return Paste(h, s);
    case 24:
      if (ReadOnly(h)) return;
      Copy(h, s);
      return Clear(h, s);
    case 26:
      return ReadOnly(h) ? void() : Undo(h, s);
    case 8:
      if (ReadOnly(h)) return;
      if (SelMin(s) == SelMax(s)) {
        if (s.caret == 0) return;
        int from = s.caret - 1;
        if (from > 0 && s.text[from] == '\n' && s.text[from - 1] == '\r') --from;
        s.anchor = from;
      }
      ReplaceSel(h, s, std::string(), true, true);
      return;
    case '\r':
      if (!Multi(h) || ReadOnly(h)) return;
      ReplaceSel(h, s, "\r\n", true, true);
      return;
    case '\t':
      if (!Multi(h) || ReadOnly(h)) return;
      ReplaceSel(h, s, "\t", true, true);
      return;
  }
  if (c < 32 || c == 127 || ReadOnly(h)) return;
  if ((style & ES_NUMBER) && !(c >= '0' && c <= '9')) {
    MessageBeep(0);
    return;
  }
  if (style & ES_UPPERCASE) c = mirt::ToUpper1252(c);
  if (style & ES_LOWERCASE) c = mirt::ToLower1252(c);
  if (!ReplaceSel(h, s, std::string(1, static_cast<char>(c)), true, true)) MessageBeep(0);
}

void PaintEdit(HWND h, EditState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(h));
  bool enabled = IsWindowEnabled(h);
  HBRUSH bg = ControlColors(h, dc, (ReadOnly(h) || !enabled) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  RECT c;
  GetClientRect(h, &c);
  FillRect(dc, &c, bg);
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  COLORREF textColor = GetTextColor(dc);
  SetBkMode(dc, TRANSPARENT);
  RECT fr = FormatRect(h, s);
  IntersectClipRect(dc, fr.left, c.top, fr.right, c.bottom);
  const std::vector<int>& starts = LineStarts(s);
  int lh = LineHeight(h);
  bool showSel = GetFocus() == h || (StyleOf(h) & ES_NOHIDESEL);
  int a = SelMin(s), b = SelMax(s);
  int lines = Multi(h) ? static_cast<int>(starts.size()) : 1;
  for (int line = Multi(h) ? s.firstLine : 0; line < lines; ++line) {
    int top = LineTop(h, s, line);
    if (top > c.bottom) break;
    int start = Multi(h) ? starts[line] : 0;
    int end = Multi(h) ? LineEnd(s.text, starts, line) : static_cast<int>(s.text.size());
    std::string text = s.text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
    std::string shown = Shown(s, text);
    int x0 = LineX(h, dc, s, text);
    TabbedTextOut(dc, x0, top, shown.c_str(), static_cast<int>(shown.size()), static_cast<int>(s.tabs.size()),
                  s.tabs.empty() ? nullptr : s.tabs.data(), x0);
    int sa = std::max(a, start), sb = std::min(b, end);
    if (showSel && a != b && sa < sb) {
      int xa = x0 + Extent(dc, s, text, sa - start);
      int xb = x0 + Extent(dc, s, text, sb - start);
      RECT sel{xa, top, xb, top + lh};
      FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
      SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      SaveDC(dc);
      IntersectClipRect(dc, xa, top, xb, top + lh);
      TabbedTextOut(dc, x0, top, shown.c_str(), static_cast<int>(shown.size()),
                    static_cast<int>(s.tabs.size()), s.tabs.empty() ? nullptr : s.tabs.data(), x0);
      RestoreDC(dc, -1);
      SetTextColor(dc, textColor);
    }
  }
  SelectObject(dc, oldFont);
  EndPaint(h, &ps);
}

void SetTabStops(HWND h, EditState& s, int count, const INT* stops) {
  SIZE base = FontBaseUnits(ControlFont(h));
  s.tabs.clear();
  if (count == 0) return;
  if (count == 1) {
    s.tabs.push_back(stops[0] * base.cx / 4);
    return;
  }
  for (int i = 0; i < count; ++i) s.tabs.push_back(stops[i] * base.cx / 4);
}

LRESULT GetLine(EditState& s, int line, char* buf) {
  const std::vector<int>& starts = LineStarts(s);
  if (line < 0 || line >= static_cast<int>(starts.size()) || !buf) return 0;
  WORD max;
  memcpy(&max, buf, sizeof max);
  int start = starts[line], end = LineEnd(s.text, starts, line);
  int n = std::min<int>(max, end - start);
  memcpy(buf, s.text.data() + start, static_cast<size_t>(n));
  return n;
}

LRESULT EditCommand(HWND h, EditState& s, UINT msg, WPARAM wp, LPARAM lp) {
  const std::vector<int>& starts = LineStarts(s);
  switch (msg) {
    case EM_GETSEL:
      if (wp) *reinterpret_cast<DWORD*>(wp) = static_cast<DWORD>(SelMin(s));
      if (lp) *reinterpret_cast<DWORD*>(lp) = static_cast<DWORD>(SelMax(s));
      return MAKELONG(std::min(SelMin(s), 0xFFFF), std::min(SelMax(s), 0xFFFF));
    case EM_SETSEL:
      SetSel(h, s, static_cast<int>(wp), static_cast<int>(lp));
      return 0;
    case EM_REPLACESEL:
      ReplaceSel(h, s, lp ? reinterpret_cast<LPCSTR>(lp) : "", wp != 0, true);
      return 0;
    case EM_LIMITTEXT:
      s.limit = wp ? static_cast<int>(std::min<WPARAM>(wp, 0x7FFFFFFE)) : 0x7FFFFFFE;
      return 0;
    case EM_GETLIMITTEXT:
      return s.limit;
    case EM_GETMODIFY:
      return s.modified;
    case EM_SETMODIFY:
      s.modified = wp != 0;
      return 0;
    case EM_CANUNDO:
      return s.canUndo;
    case EM_UNDO:
    case WM_UNDO:
      Undo(h, s);
      return s.canUndo;
    case EM_EMPTYUNDOBUFFER:
      s.canUndo = false;
      return 0;
    case EM_SETREADONLY: {
      LONG st = GetWindowLong(h, GWL_STYLE);
      SetWindowLong(h, GWL_STYLE, wp ? (st | ES_READONLY) : (st & ~ES_READONLY));
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case EM_SETPASSWORDCHAR:
      s.password = static_cast<char>(wp);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case EM_GETPASSWORDCHAR:
      return static_cast<unsigned char>(s.password);
    case EM_GETLINECOUNT:
      return Multi(h) ? static_cast<LRESULT>(starts.size()) : 1;
    case EM_LINEINDEX: {
      int line = static_cast<int>(wp) == -1 ? LineOf(starts, s.caret) : static_cast<int>(wp);
      if (!Multi(h)) return line == 0 ? 0 : -1;
      return line >= 0 && line < static_cast<int>(starts.size()) ? starts[line] : -1;
    }
    case EM_LINEFROMCHAR: {
      if (!Multi(h)) return 0;
      int pos = static_cast<int>(wp) == -1 ? s.caret : static_cast<int>(wp);
      return LineOf(starts, std::clamp(pos, 0, static_cast<int>(s.text.size())));
    }
    case EM_LINELENGTH: {
      if (!Multi(h)) return static_cast<LRESULT>(s.text.size());
      int pos = static_cast<int>(wp) == -1 ? s.caret : static_cast<int>(wp);
      int line = LineOf(starts, std::clamp(pos, 0, static_cast<int>(s.text.size())));
      return LineEnd(s.text, starts, line) - starts[line];
    }
    case EM_GETLINE:
      return GetLine(s, Multi(h) ? static_cast<int>(wp) : 0, reinterpret_cast<char*>(lp));
    case EM_GETFIRSTVISIBLELINE:
      return Multi(h) ? s.firstLine : 0;
    case EM_LINESCROLL:
      if (!Multi(h)) return FALSE;
      s.firstLine = std::clamp(s.firstLine + static_cast<int>(lp), 0, static_cast<int>(starts.size()) - 1);
      InvalidateRect(h, nullptr, TRUE);
      UpdateScrollBars(h, s);
      UpdateCaret(h, s);
      return TRUE;
    case EM_SCROLLCARET:
      ScrollCaretIntoView(h, s);
      UpdateCaret(h, s);
      return TRUE;
    case EM_SETTABSTOPS:
      SetTabStops(h, s, static_cast<int>(wp), reinterpret_cast<const INT*>(lp));
      return TRUE;
    case EM_SETMARGINS:
      if (wp & EC_LEFTMARGIN) s.marginLeft = LOWORD(lp);
      if (wp & EC_RIGHTMARGIN) s.marginRight = HIWORD(lp);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case EM_GETMARGINS:
      return MAKELONG(s.marginLeft, s.marginRight);
    case EM_POSFROMCHAR: {
      if (static_cast<int>(wp) > static_cast<int>(s.text.size())) return -1;
      POINT p = PosFromChar(h, s, static_cast<int>(wp));
      return MAKELONG(p.x, p.y);
    }
    case EM_CHARFROMPOS: {
      int pos = CharFromPos(h, s, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return MAKELONG(pos, Multi(h) ? LineOf(starts, pos) : 0);
    }
    case EM_GETRECT:
      if (lp) *reinterpret_cast<RECT*>(lp) = FormatRect(h, s);
      return 0;
    case EM_SCROLL: {
      if (!Multi(h)) return 0;
      int d = wp == SB_LINEUP     ? -1
              : wp == SB_LINEDOWN ? 1
              : wp == SB_PAGEUP   ? -PageLines(h, s)
              : wp == SB_PAGEDOWN ? PageLines(h, s)
                                  : 0;
      EditCommand(h, s, EM_LINESCROLL, 0, d);
      return MAKELONG(d, TRUE);
    }
    case EM_FMTLINES:
      return wp;
  }
  return 0;
}

LRESULT CALLBACK EditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT fontResult;
  if (HandleFontMessage(h, msg, wp, lp, &fontResult)) {
    if (msg == WM_SETFONT)
      if (auto* s = ControlState<EditState>(h)) UpdateCaret(h, *s);
    return fontResult;
  }
  EditState* s;
  LRESULT outside;
  if (ControlStateMessage(h, msg, wp, lp, &s, &outside)) return outside;
  if (msg >= EM_GETSEL && msg <= EM_CHARFROMPOS) return EditCommand(h, *s, msg, wp, lp);
  switch (msg) {
    case WM_NCCREATE: {
      EditState* st = s;
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lp);
      if (cs->style & ES_PASSWORD) st->password = '*';
      if (cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) st->text = cs->lpszName;
      if (!(cs->style & ES_MULTILINE)) {
        size_t cut = st->text.find_first_of("\r\n");
        if (cut != std::string::npos) st->text.resize(cut);
      }
      st->startsValid = false;
      return DefWindowProc(h, msg, wp, lp);
    }
    case WM_SETTEXT: {
      std::string t = lp ? reinterpret_cast<LPCSTR>(lp) : "";
      if (!Multi(h)) {
        size_t cut = t.find_first_of("\r\n");
        if (cut != std::string::npos) t.resize(cut);
      }
      if (static_cast<int>(t.size()) > s->limit && s->limit < 0x7FFFFFFE)
        t.resize(static_cast<size_t>(s->limit));
      s->text = t;
      s->startsValid = false;
      s->anchor = s->caret = 0;
      s->scrollX = 0;
      s->firstLine = 0;
      s->modified = false;
      s->canUndo = false;
      TextChanged(h, *s, false);
      if (!Multi(h)) {
        NotifyParent(h, EN_UPDATE);
        if (IsWindow(h)) NotifyParent(h, EN_CHANGE);
      }
      return TRUE;
    }
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(lp);
      int n = static_cast<int>(wp);
      if (!buf || n <= 0) return 0;
      int len = std::min<int>(n - 1, static_cast<int>(s->text.size()));
      memcpy(buf, s->text.data(), static_cast<size_t>(len));
      buf[len] = 0;
      return len;
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(s->text.size());
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintEdit(h, *s);
      return 0;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      auto* m = reinterpret_cast<MSG*>(lp);
      if (Multi(h) && m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN && (StyleOf(h) & ES_WANTRETURN))
        code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_SETFOCUS:
      CreateCaret(h, nullptr, 1, LineHeight(h));
      UpdateCaret(h, *s);
      ShowCaret(h);
      InvalidateRect(h, nullptr, FALSE);
      NotifyParent(h, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      DestroyCaret();
      InvalidateRect(h, nullptr, FALSE);
      NotifyParent(h, EN_KILLFOCUS);
      return 0;
    case WM_KEYDOWN:
      if (ComboKey(h, msg, wp)) return 0;
      KeyDown(h, *s, wp);
      return 0;
    case WM_SYSKEYDOWN:
      if (ComboKey(h, msg, wp)) return 0;
      break;
    case WM_CHAR:
      for (int i = 0; i < std::max(1, static_cast<int>(LOWORD(lp))) && IsWindow(h); ++i)
        if (auto* cur = ControlState<EditState>(h)) Char(h, *cur, static_cast<unsigned char>(wp));
      return 0;
    case WM_LBUTTONDOWN:
      if (GetFocus() != h) SetFocus(h);
      if (!IsWindow(h)) return 0;
      MoveCaret(h, *s, CharFromPos(h, *s, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)), (wp & MK_SHIFT) != 0);
      s->tracking = true;
      SetCapture(h);
      return 0;
    case WM_MOUSEMOVE:
      if (s->tracking) MoveCaret(h, *s, CharFromPos(h, *s, GET_X_LPARAM(lp), GET_Y_LPARAM(lp)), true);
      return 0;
    case WM_LBUTTONUP:
      if (s->tracking) {
        s->tracking = false;
        ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      s->tracking = false;
      return 0;
    case WM_LBUTTONDBLCLK: {
      int pos = CharFromPos(h, *s, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      int a = pos, b = pos;
      while (a > 0 && IsWordChar(s->text[a - 1])) --a;
      while (b < static_cast<int>(s->text.size()) && IsWordChar(s->text[b])) ++b;
      SetSel(h, *s, a, b);
      return 0;
    }
    case WM_VSCROLL: {
      int code = LOWORD(wp);
      if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION)
        EditCommand(h, *s, EM_LINESCROLL, 0, static_cast<short>(HIWORD(wp)) - s->firstLine);
      else
        EditCommand(h, *s, EM_SCROLL, static_cast<WPARAM>(code), 0);
      return 0;
    }
    case WM_COPY:
      Copy(h, *s);
      return 0;
    case WM_CUT:
      if (!ReadOnly(h)) {
        Copy(h, *s);
        Clear(h, *s);
      }
      return 0;
    case WM_PASTE:
      Paste(h, *s);
      return 0;
    case WM_CLEAR:
      Clear(h, *s);
      return 0;
    case WM_ENABLE:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_SIZE:
      ScrollCaretIntoView(h, *s);
      UpdateScrollBars(h, *s);
      return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

void RegisterEdit() { RegisterControlClass("EDIT", EditProc, CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM); }
const bool kEditRegistered = AddSystemClass(&RegisterEdit);

}  // namespace
}  // namespace mirt_ui
