// The find and replace dialog of the editor windows: the framework's
// dialog with the editor's own templates (22700 find, 22701 replace), the
// last ten search and replacement texts in its combo boxes, regular
// expressions, match case, wrap-around, direction and Mark All.
#pragma once

#include "platform/ui/afxcommdlg.h"
#include "platform/ui/afxdlg.h"

// Controls of the templates.
enum FindDialogControl {
  IDC_FIND_MARK_ALL = 101,
  IDC_FIND_REGEX = 102,
  IDC_FIND_TEXT = 103,
  IDC_FIND_REPLACE_TEXT = 106,
  IDC_FIND_WRAP = 108,
  IDC_FIND_REPLACE = 1024,
  IDC_FIND_REPLACE_ALL = 1025,
  IDC_FIND_MATCH_CASE = 1041,
  IDC_FIND_UP = 1056,
  IDC_FIND_DOWN = 1057,
  IDC_FIND_HIDDEN_TEXT = 1152,
};
enum : unsigned { IDD_EDIT_FIND = 22700, IDD_EDIT_REPLACE = 22701 };

// The templates and the ids of the controls that differ between the
// editors' dialogs (the others are the same in both).
struct FindDialogLayout {
  unsigned findTemplate;
  unsigned replaceTemplate;
  int matchCase;
  int up;          // the first of the two direction radio buttons
  int hiddenText;  // the hidden edit that carries the search text
};
// The source editor's: the common dialog's own ids.
constexpr FindDialogLayout kEditFindLayout = {IDD_EDIT_FIND, IDD_EDIT_REPLACE, IDC_FIND_MATCH_CASE,
                                              IDC_FIND_UP, IDC_FIND_HIDDEN_TEXT};

class OEFindDlg : public CFindReplaceDialog {
  DECLARE_DYNAMIC(OEFindDlg)
 public:
  explicit OEFindDlg(const FindDialogLayout& layout = kEditFindLayout);
  const FindDialogLayout& Layout() const { return m_layout; }

  // Makes the modeless dialog from the editor's template for `owner`.
  BOOL CreateFor(BOOL replace, CWnd* owner);
  void DoDataExchange(CDataExchange* pDX) override;
  void AddToCombo(int id, const CString& text);
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void EnableReplaceButtons(BOOL on);
  // The screen row of the caret in the view that opens the dialog.
  void SetCaretRow(int screenY, int lineHeight) {
    m_nCaretY = screenY;
    m_nLineHeight = lineHeight;
  }

  int m_bRegex = 0;
  int m_bMatchCase = 0;
  int m_bMarkAll = 0;
  CString m_strFind;
  int m_nDirection = -1;
  CString m_strReplace;
  int m_bWrap = 0;

 private:
  FindDialogLayout m_layout;
  void PlaceAwayFromCaret();
  int m_nCaretY = -1;
  int m_nLineHeight = 0;
  void SyncHiddenText();
};
