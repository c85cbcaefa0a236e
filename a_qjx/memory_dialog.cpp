#include "a_qjx/memory_dialog.h"

#include <cstdio>
#include <iterator>

#include "a_qjx/board_family.h"
#include "a_qjx/memory_dump.h"
#include "a_qjx/memory_editors.h"
#include "a_qjx/tool_ids.h"
#include "a_qjx/tool_windows.h"
#include "drivers/rizo32/rizo32.h"
#include "platform/afx/afxres.h"
#include "platform/ui/message.h"
#include "ytn1/address_conversion.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace {

constexpr int kMemoryListTabStops[] = {80, 100, 120, 140, 160, 180, 200, 220, 260};
constexpr int kMemoryFontPoints = 100;  // tenths of a point
constexpr int kMemoryFirstRowLine = 1;
constexpr int kMemoryLastListLine = kMemoryRows + 1;

// Sets a control's text only when it differs, so that the change
// notifications of two fields that follow each other come to rest.
void SetChangedText(CWnd* dialog, int id, const CString& text) {
  CString shown;
  dialog->GetDlgItemText(id, shown);
  if (shown != text) dialog->SetDlgItemText(id, text);
}

}  // namespace

BEGIN_MESSAGE_MAP(CMemoryListBox, CListBox)
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CMemoryListBox::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (watcher && (key == VK_PRIOR || key == VK_NEXT)) {
    watcher->OnPageKey(key == VK_PRIOR ? MemoryMove::PageUp : MemoryMove::PageDown);
    return;
  }
  CListBox::OnKeyDown(key, repeat, flags);
}

BEGIN_MESSAGE_MAP(CMemoryDialog, CModelessToolDialog)
ON_WM_VSCROLL()
ON_CONTROL(BN_CLICKED, IDC_MEMORY_UPDATE, Refresh)
ON_CONTROL(BN_CLICKED, IDC_MEMORY_GOTO, OnGoto)
ON_CONTROL(BN_CLICKED, IDC_MEMORY_SAVE, OnSave)
ON_CONTROL(LBN_SELCHANGE, IDC_MEMORY_LIST, OnSelChangeList)
ON_CONTROL(LBN_DBLCLK, IDC_MEMORY_LIST, OnDblClkList)
ON_CONTROL(EN_CHANGE, IDC_MEMORY_PHYSICAL, OnChangePhysical)
ON_CONTROL(EN_CHANGE, IDC_MEMORY_SEGMENT, OnChangeSegmentOffset)
ON_CONTROL(EN_CHANGE, IDC_MEMORY_OFFSET, OnChangeSegmentOffset)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CMemoryDialog::CMemoryDialog(CBoardFamily& family)
    : CModelessToolDialog(IDD_MEMORY, ToolWindow::Memory, family) {}

BOOL CMemoryDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  list_.SubclassDlgItem(IDC_MEMORY_LIST, this);
  list_.watcher = this;
  scroll_.SubclassDlgItem(IDC_MEMORY_SCROLL, this);
  int stops[std::size(kMemoryListTabStops)];
  std::copy(std::begin(kMemoryListTabStops), std::end(kMemoryListTabStops), stops);
  list_.SetTabStops(int(std::size(stops)), stops);
  font_.CreatePointFont(kMemoryFontPoints, "Courier");
  list_.SetFont(&font_);
  scroll_.SetScrollRange(0, kMemoryScrollMax);
  scroll_.SetScrollPos(0);
  family_.GetFreeRamSize();
  family_.CheckDriverError();
  family_.viewAddress = family_.viewStart;
  GetDlgItem(IDC_MEMORY_SAVE)->ShowWindow(SW_SHOW);
  Refresh();
  return TRUE;
}

BOOL CMemoryDialog::PreTranslateMessage(MSG* msg) {
  // Enter in the goto field goes to the address, not to the default button.
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN &&
      msg->hwnd == GetDlgItem(IDC_MEMORY_GOTO_TEXT)->m_hWnd) {
    OnGoto();
    return TRUE;
  }
  return CDialog::PreTranslateMessage(msg);
}

MemoryView CMemoryDialog::View() const { return {family_.viewStart, family_.viewEnd, family_.viewAddress}; }

void CMemoryDialog::Refresh() {
  family_.GetFreeRamSize();
  SetDlgItemText(IDC_MEMORY_SIZE, MemorySizeText(family_.ramSize));
  SetDlgItemText(IDC_MEMORY_FREE, FreeBytesText(family_.freeStart, family_.freeEnd));
  SetDlgItemText(IDC_MEMORY_FREE_RANGE, FreeRangeText(family_.freeStart, family_.freeEnd));
  ShowPage();
}

// The rows between an empty line above and below, given to the list in one
// message that repaints it once.
void CMemoryDialog::ShowPage() {
  family_.ReadRamPage();
  if (family_.CheckDriverError() == 1) PostMessage(WM_CLOSE);
  char rows[kMemoryRows][kMemoryRowTextSize];
  LPCSTR lines[kMemoryLastListLine + 1];
  lines[0] = "";
  for (int r = 0; r < kMemoryRows; ++r) {
    FormatMemoryRow(family_.viewAddress + DWORD(r) * kMemoryRowBytes,
                    family_.pageBuffer + r * kMemoryRowBytes, rows[r]);
    lines[kMemoryFirstRowLine + r] = rows[r];
  }
  lines[kMemoryLastListLine] = "";
  list_.ReplaceContent(int(std::size(lines)), lines);
}

void CMemoryDialog::UpdateScrollPos() { scroll_.SetScrollPos(ViewScrollPosition(View())); }

// Moves show the page at the new address; the size and free texts are
// read again by Update, Goto and the thumb.
void CMemoryDialog::Move(MemoryMove move) {
  family_.viewAddress = MovedViewAddress(View(), move);
  UpdateScrollPos();
  ShowPage();
}

void CMemoryDialog::OnPageKey(MemoryMove move) { Move(move); }

// The moves are the tool's own; the codes it leaves have the default
// handling.
void CMemoryDialog::OnVScroll(UINT code, UINT position, CScrollBar*) {
  switch (code) {
    case SB_LINEUP:
      Move(MemoryMove::LineUp);
      return;
    case SB_LINEDOWN:
      Move(MemoryMove::LineDown);
      return;
    case SB_PAGEUP:
      Move(MemoryMove::PageUp);
      return;
    case SB_PAGEDOWN:
      Move(MemoryMove::PageDown);
      return;
    case SB_THUMBPOSITION:
      scroll_.SetScrollPos(int(position));
      family_.viewAddress = ThumbViewAddress(View(), int(position));
      Refresh();
      break;
    default:
      break;
  }
  Default();
}

void CMemoryDialog::OnSelChangeList() {
  const int line = list_.GetCurSel();
  if (line == 0) {
    Move(MemoryMove::LineUp);
    list_.SetCurSel(1);
  } else if (line == kMemoryLastListLine) {
    Move(MemoryMove::LineDown);
    list_.SetCurSel(kMemoryLastListLine - 1);
  }
}

void CMemoryDialog::OnGoto() {
  CString text;
  GetDlgItemText(IDC_MEMORY_GOTO_TEXT, text);
  unsigned long target = 0;
  if (std::sscanf(text, "%lX", &target) != 1) return;
  family_.viewAddress = GotoViewAddress(View(), DWORD(target));
  Refresh();
  UpdateScrollPos();
}

// A conversion writes the other fields without starting the opposite one:
// with segment written and offset not yet, that one would rewrite the field
// being typed in (and put its caret back to the start).
void CMemoryDialog::OnChangePhysical() {
  if (converting_) return;
  converting_ = true;
  CString physical, segment, offset;
  GetDlgItemText(IDC_MEMORY_PHYSICAL, physical);
  ytn1::SplitPhysicalAddress(ytn1::ReadHexText(physical), &segment, &offset);
  SetChangedText(this, IDC_MEMORY_SEGMENT, segment);
  SetChangedText(this, IDC_MEMORY_OFFSET, offset);
  converting_ = false;
}

void CMemoryDialog::OnChangeSegmentOffset() {
  if (converting_) return;
  converting_ = true;
  CString segment, offset;
  GetDlgItemText(IDC_MEMORY_SEGMENT, segment);
  GetDlgItemText(IDC_MEMORY_OFFSET, offset);
  SetChangedText(this, IDC_MEMORY_PHYSICAL, ytn1::JoinSegmentOffset(segment, offset));
  converting_ = false;
}

void CMemoryDialog::OnDblClkList() {
  if (!GetUserMode()) return;
  const int line = list_.GetCurSel();
  if (line < 1 || line > kMemoryRows) return;
  const DWORD address = family_.viewAddress + DWORD(line) * kMemoryRowBytes - kMemoryRowBytes;
  CString start, bytes;
  start.Format("%lX", (unsigned long)address);
  for (DWORD i = 0; i < kMemoryRowBytes; ++i) {
    CString one;
    one.Format("%.2X ", family_.pageBuffer[DWORD(line - 1) * kMemoryRowBytes + i]);
    bytes += one;
  }
  CMemoryEditorDialog editor(start, bytes, this);
  if (editor.DoModal() == IDOK) WriteRow(address, editor.bytes, editor.byteCount);
  Refresh();
}

void CMemoryDialog::WriteRow(DWORD address, const BYTE* bytes, int count) {
  qj8_set_ram_pointer(address);
  for (int i = 0; i < count; ++i) qj8_write_ram(1, &bytes[i]);
  family_.CheckDriverError();
}

void CMemoryDialog::OnSave() {
  CSaveMemoryDialog save(this);
  if (save.DoModal() != IDOK) return;
  BeginWaitCursor();
  const DumpResult result = WriteMemoryDump(family_, save.fileName, save.request);
  EndWaitCursor();
  if (result == DumpResult::FileError)
    ytn1::ShowMessage("File error!", A_QJX_BOX_CAPTION, MB_OK | MB_ICONEXCLAMATION);
}

void CMemoryDialog::OnHelp() { ShowMemoryHelp(); }
