#include "editor/view/oefinddlg.h"

#include <algorithm>
#include <string>

#include "editor/findhistory.h"
#include "platform/afx/afx.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/sysmetrics.h"

IMPLEMENT_DYNAMIC(OEFindDlg, CFindReplaceDialog)

OEFindDlg::OEFindDlg(const FindDialogLayout& layout) : m_layout(layout) {}

BOOL OEFindDlg::CreateFor(BOOL replace, CWnd* owner) {
  m_fr.Flags |= FR_ENABLETEMPLATE;
  m_fr.hInstance = AfxGetResourceHandle();
  m_fr.lpTemplateName = MAKEINTRESOURCE(replace ? m_layout.replaceTemplate : m_layout.findTemplate);
  return Create(!replace, m_strFind, m_strReplace, FR_DOWN | FR_ENABLETEMPLATE, owner);
}

void OEFindDlg::DoDataExchange(CDataExchange* pDX) {
  CFindReplaceDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_FIND_REGEX, m_bRegex);
  DDX_Check(pDX, m_layout.matchCase, m_bMatchCase);
  DDX_Radio(pDX, m_layout.up, m_nDirection);
  DDX_Check(pDX, IDC_FIND_WRAP, m_bWrap);
  if (pDX->m_bSaveAndValidate) {
    GetDlgItemText(IDC_FIND_TEXT, m_strFind);
    if (m_bReplaceDialog) GetDlgItemText(IDC_FIND_REPLACE_TEXT, m_strReplace);
  }
}

void OEFindDlg::SyncHiddenText() {
  CString text;
  GetDlgItemText(IDC_FIND_TEXT, text);
  SetDlgItemText(m_layout.hiddenText, text);  // the framework enables Find Next by it
  // A template with a hidden edit of its own leaves Find Next to us.
  if (m_layout.hiddenText != IDC_FIND_HIDDEN_TEXT) {
    if (CWnd* next = GetDlgItem(IDOK)) next->EnableWindow(TRUE);
  }
}

void OEFindDlg::EnableReplaceButtons(BOOL on) {
  if (CWnd* b = GetDlgItem(IDC_FIND_REPLACE)) b->EnableWindow(on);
  if (CWnd* b = GetDlgItem(IDC_FIND_REPLACE_ALL)) b->EnableWindow(on);
}

// The control behind an id is a plain window object here, never a CComboBox:
// the list is filled by message.
void OEFindDlg::AddToCombo(int id, const CString& text) {
  SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(text)));
}

BOOL OEFindDlg::OnInitDialog() {
  PlaceAwayFromCaret();
  UpdateData(FALSE);
  std::vector<CString> searches = LoadHistory(HistoryKind::Find);
  if (GetDlgItem(IDC_FIND_TEXT) != nullptr) {
    for (const CString& s : searches) AddToCombo(IDC_FIND_TEXT, s);
    if (m_strFind.IsEmpty() && !searches.empty()) m_strFind = searches.front();
    SetDlgItemText(IDC_FIND_TEXT, m_strFind);
  }
  if (m_bReplaceDialog) {
    EnableReplaceButtons(TRUE);
    if (GetDlgItem(IDC_FIND_REPLACE_TEXT) != nullptr) {
      for (const CString& s : LoadHistory(HistoryKind::Replace)) {
        AddToCombo(IDC_FIND_REPLACE_TEXT, s == kEmptyReplacement ? CString() : s);
      }
    }
  }
  SyncHiddenText();
  return TRUE;
}

BOOL OEFindDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  UINT code = HIWORD(wParam);
  if (id == IDC_FIND_MARK_ALL && code == BN_CLICKED) {
    m_bMarkAll = 1;
    SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(IDOK)->m_hWnd));
    return TRUE;
  }
  if (id == IDC_FIND_TEXT && (code == CBN_EDITCHANGE || code == CBN_SELCHANGE)) {
    if (code == CBN_SELCHANGE) {
      // The combo box is reached by messages: its window object may be a plain CWnd.
      const LRESULT sel = SendDlgItemMessage(IDC_FIND_TEXT, CB_GETCURSEL, 0, 0);
      const LRESULT length = sel >= 0 ? SendDlgItemMessage(IDC_FIND_TEXT, CB_GETLBTEXTLEN, sel, 0) : 0;
      std::string text(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
      if (length > 0)
        SendDlgItemMessage(IDC_FIND_TEXT, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(text.data()));
      SetDlgItemText(m_layout.hiddenText, text.c_str());
    } else {
      SyncHiddenText();
    }
  }
  return CFindReplaceDialog::OnCommand(wParam, lParam);
}

// Keeps the dialog off the caret's row: above it when it fits between the
// main window's top and that row, else low in the main window.
void OEFindDlg::PlaceAwayFromCaret() {
  CWnd* main = AfxGetMainWnd();
  if (main == nullptr || main->m_hWnd == nullptr || m_nCaretY < 0) return;
  CRect mainRect, own;
  main->GetWindowRect(&mainRect);
  GetWindowRect(&own);
  int height = own.Height();
  int top;
  if (height <= m_nCaretY - mainRect.top) {
    top = mainRect.top;
  } else {
    int bottom = std::min<int>(mainRect.bottom - 2 * m_nLineHeight, ::GetSystemMetrics(SM_CYMAXIMIZED));
    top = bottom - height;
  }
  SetWindowPos(nullptr, own.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
}
