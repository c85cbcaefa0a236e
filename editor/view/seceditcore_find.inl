// Editor core: the find and replace commands and the dialog's
// notifications.
#pragma once

#include <algorithm>
#include <string>

#include "editor/findhistory.h"
#include "editor/textsearch.h"
#include "editor/view/oefinddlg.h"
#include "editor/view/seceditcore.h"
#include "editor/view/seceditcore_edit.inl"
#include "platform/sys/profile.h"

namespace seceditcore_detail {
// Whether the search has found something since its sequence started.
inline BOOL g_bFindSequence = FALSE;

constexpr const char* kFindSection = "Settings\\Find";

inline UINT FindReplaceMessage() {
  static UINT message = ::RegisterWindowMessage(FINDMSGSTRING);
  return message;
}
}  // namespace seceditcore_detail

template <class TBase>
void SECEditCore<TBase>::LoadFindSettings(OEFindDlg* dialog) {
  GetWordAtCaret(dialog->m_strFind);
  auto& profile = plat::Profile::App();
  using seceditcore_detail::kFindSection;
  dialog->m_bRegex = static_cast<int>(profile.GetProfileInt(kFindSection, "Regular expressions", 0));
  dialog->m_bMatchCase = static_cast<int>(profile.GetProfileInt(kFindSection, "Match case", 0));
  dialog->m_nDirection = static_cast<int>(profile.GetProfileInt(kFindSection, "Forward", 1));
  dialog->m_bWrap = static_cast<int>(profile.GetProfileInt(kFindSection, "Wrap search", 1));
}

template <class TBase>
OEFindDlg* SECEditCore<TBase>::NewFindDialog() {
  return new OEFindDlg;
}

template <class TBase>
OEFindDlg* SECEditCore<TBase>::OpenFindDialog(BOOL replace) {
  if (m_pFindDialog != nullptr || m_pReplaceDialog != nullptr) {
    OEFindDlg* open = m_pReplaceDialog != nullptr ? m_pReplaceDialog : m_pFindDialog;
    open->SetFocus();
    return open;
  }
  OEFindDlg* dialog = NewFindDialog();
  LoadFindSettings(dialog);
  if (this->m_hWnd != nullptr) {
    CPoint row(0, (m_nCaretLine - m_nTopLine) * m_nLineHeight);
    this->ClientToScreen(&row);
    dialog->SetCaretRow(row.y, m_nLineHeight);
  }
  if (!dialog->CreateFor(replace, this)) {
    delete dialog;
    return nullptr;
  }
  (replace ? m_pReplaceDialog : m_pFindDialog) = dialog;
  m_hFindDialogWnd = dialog->m_hWnd;
  (replace ? m_bReplaceDialogOpen : m_bFindDialogOpen) = TRUE;
  dialog->SetActiveWindow();
  dialog->ShowWindow(SW_SHOW);
  return dialog;
}

template <class TBase>
void SECEditCore<TBase>::OnEditFind() {
  OpenFindDialog(FALSE);
}

template <class TBase>
void SECEditCore<TBase>::OnEditReplace() {
  OpenFindDialog(TRUE);
}

template <class TBase>
BOOL SECEditCore<TBase>::CanFindNext() {
  return !LastSearchText().IsEmpty();
}

template <class TBase>
void SECEditCore<TBase>::CloseFindDialog() {
  OEFindDlg* dialog = m_pReplaceDialog != nullptr ? m_pReplaceDialog : m_pFindDialog;
  HWND window = m_hFindDialogWnd;
  m_pFindDialog = m_pReplaceDialog = nullptr;
  m_hFindDialogWnd = nullptr;
  m_bFindDialogOpen = m_bReplaceDialogOpen = FALSE;
  m_strLastMatch.Empty();
  seceditcore_detail::g_bFindSequence = FALSE;
  // The dialog may have gone with its owner already.
  if (dialog != nullptr && window != nullptr && ::IsWindow(window) &&
      CWnd::FromHandlePermanent(window) == dialog) {
    dialog->DestroyWindow();
  }
}

template <class TBase>
void SECEditCore<TBase>::OnFindNext() {
  CString last = LastSearchText();
  if (m_pFindDialog == nullptr && m_pReplaceDialog == nullptr && !last.IsEmpty()) {
    auto& profile = plat::Profile::App();
    using seceditcore_detail::kFindSection;
    FindRecord rec;
    if (profile.GetProfileInt(kFindSection, "Regular expressions", 0)) rec.flags |= FIND_REGEX;
    if (profile.GetProfileInt(kFindSection, "Match case", 0)) rec.flags |= FIND_MATCH_CASE;
    if (profile.GetProfileInt(kFindSection, "Forward", 1)) rec.flags |= FIND_FORWARD;
    rec.pattern = last;
    BOOL wrap = profile.GetProfileInt(kFindSection, "Wrap search", 1) != 0;
    SearchAndSelect(rec, wrap, nullptr);
    return;
  }
  if (m_pReplaceDialog != nullptr) {
    m_pReplaceDialog->SetFocus();
  } else if (m_pFindDialog != nullptr) {
    m_pFindDialog->SetFocus();
  } else {
    OnEditFind();
  }
}

// The search from the caret, wrapping once when asked. A match is
// selected; a miss is reported (with the dialog's own rules when one is
// open). Returns whether something was found.
template <class TBase>
BOOL SECEditCore<TBase>::SearchAndSelect(FindRecord& rec, BOOL wrap, OEFindDlg* dialog) {
  EditBuffer* buf = Buf();
  using seceditcore_detail::g_bFindSequence;
  bool forward = (rec.flags & FIND_FORWARD) != 0;
  if (m_bSelection && m_pSelStartLine != nullptr) {
    bool startFirst = m_pSelStartLine->lineNumber < m_pSelEndLine->lineNumber ||
                      (m_pSelStartLine == m_pSelEndLine && m_nSelStartColumn <= m_nSelEndColumn);
    EditLine* line = (forward == startFirst) ? m_pSelEndLine : m_pSelStartLine;
    int column = (forward == startFirst) ? m_nSelEndColumn : m_nSelStartColumn;
    CaretTo(line, column);
    if (!g_bFindSequence || dialog == nullptr) ClearSelection(m_bRedraw);
  }
  EditPos start{m_pCaretLine, ColumnOffset(m_pCaretLine, m_nCaretColumn)};
  start.offset = std::min<int>(start.offset, m_pCaretLine->length);
  EditPos pos = start;
  EditPos limit;
  EditLine* first = PrepareWalk();
  BOOL found = FindText(pos, limit, &rec);
  if (!found && wrap) {
    if (forward) {
      pos = {first, 0};
      limit = start;
    } else {
      EditLine* last = buf->GetTail(first);
      pos = {last, static_cast<int>(last->length)};
      limit = {start.line, start.offset + rec.pattern.GetLength()};
    }
    found = FindText(pos, limit, &rec);
    if (found && g_bFindSequence && dialog != nullptr && pos.line == m_findSequenceStart.line &&
        pos.offset == m_findSequenceStart.offset) {
      DoError(EDIT_FIND_FINISHED, rec.pattern, m_bRedraw);
      CloseFindDialog();
      return FALSE;
    }
  }
  if (!found) {
    if (dialog == nullptr || !g_bFindSequence) {
      DoError(EDIT_NOT_FOUND, rec.pattern, m_bRedraw);
      if (dialog != nullptr) {
        if (CWnd* text = dialog->GetDlgItem(IDC_FIND_TEXT)) text->SetFocus();
        if (dialog->m_bReplaceDialog) dialog->EnableReplaceButtons(FALSE);
      }
    } else {
      DoError(EDIT_FIND_FINISHED, rec.pattern, m_bRedraw);
      CloseFindDialog();
    }
    return FALSE;
  }
  if (dialog != nullptr && dialog->m_bReplaceDialog) {
    dialog->EnableReplaceButtons(TRUE);
    dialog->GetWindowRect(&m_rcFindDialog);
  }
  if (dialog != nullptr && !g_bFindSequence) {
    g_bFindSequence = TRUE;
    m_findSequenceStart = pos;  // where this sequence found its first match
  }
  SelectRange(pos, rec.matchLength, m_bRedraw);
  m_strLastMatch = CString(pos.line->text + pos.offset, rec.matchLength);
  return TRUE;
}

template <class TBase>
LRESULT SECEditCore<TBase>::OnFindReplace(WPARAM, LPARAM) {
  OEFindDlg* dialog = m_pReplaceDialog != nullptr ? m_pReplaceDialog : m_pFindDialog;
  EditBuffer* buf = Buf();
  if (dialog == nullptr || buf == nullptr) return 0;
  dialog->UpdateData(TRUE);
  if (dialog->IsTerminating()) {
    m_pFindDialog = m_pReplaceDialog = nullptr;
    m_hFindDialogWnd = nullptr;
    m_bFindDialogOpen = m_bReplaceDialogOpen = FALSE;
    seceditcore_detail::g_bFindSequence = FALSE;
    m_strLastMatch.Empty();
    return 0;
  }
  auto& profile = plat::Profile::App();
  using seceditcore_detail::kFindSection;
  profile.WriteProfileInt(kFindSection, "Regular expressions", dialog->m_bRegex);
  profile.WriteProfileInt(kFindSection, "Match case", dialog->m_bMatchCase);
  profile.WriteProfileInt(kFindSection, "Forward", dialog->m_nDirection);
  profile.WriteProfileInt(kFindSection, "Wrap search", dialog->m_bWrap);
  std::vector<CString> searches = LoadHistory(HistoryKind::Find);
  AddToHistory(searches, dialog->m_strFind, HistoryKind::Find);
  SaveHistory(searches, HistoryKind::Find);
  if (dialog->m_bReplaceDialog) {
    std::vector<CString> replacements = LoadHistory(HistoryKind::Replace);
    AddToHistory(replacements, dialog->m_strReplace, HistoryKind::Replace);
    SaveHistory(replacements, HistoryKind::Replace);
  }
  FindRecord rec;
  if (dialog->m_bRegex) rec.flags |= FIND_REGEX;
  if (dialog->m_nDirection == 1) rec.flags |= FIND_FORWARD;
  if (dialog->m_bMatchCase) rec.flags |= FIND_MATCH_CASE;
  rec.pattern = dialog->m_strFind;
  rec.replacement = dialog->m_strReplace == kEmptyReplacement ? CString() : dialog->m_strReplace;
  if (dialog->ReplaceAll()) {
    ReplaceAllMatches(rec, dialog);
  } else if (dialog->ReplaceCurrent()) {
    ReplaceMatch(rec, dialog);
  } else if (dialog->FindNext()) {
    if (dialog->m_bMarkAll) {
      MarkAllMatches(rec);
    } else {
      SearchAndSelect(rec, dialog->m_bWrap, dialog);
    }
  }
  return 0;
}

// Bookmarks every line that holds a match; the count goes up by lines
// newly marked, so the bookmark commands keep the right count.
template <class TBase>
void SECEditCore<TBase>::MarkAllMatches(FindRecord& rec) {
  EditBuffer* buf = Buf();
  CloseFindDialog();
  rec.flags |= FIND_FORWARD;
  EditLine* first = PrepareWalk();
  EditPos pos{first, 0};
  EditPos limit;
  while (pos.line != nullptr && FindText(pos, limit, &rec)) {
    SetBookmark(pos.line, TRUE);
    // On to the next line: one mark per line is all there is.
    pos = {pos.line->next, 0};
  }
  if (buf->m_nBookmarks != 0) {
    if (m_bSelection) ClearSelection(FALSE);
    m_pCaretLine = m_pTopLine = first;
    m_nCaretLine = m_nTopLine = first->lineNumber;
    m_nCaretColumn = 0;
    MakeCaretVisible();
    RepaintAll(FALSE);
  }
}

template <class TBase>
BOOL SECEditCore<TBase>::ReplaceSelected(const FindRecord& rec, BOOL record) {
  EditBuffer* buf = Buf();
  CString replacement = (rec.flags & FIND_REGEX) ? rec.substituted : rec.replacement;
  if (EndColumn(m_pSelStartLine) + replacement.GetLength() >= kMaxColumn) return FALSE;
  seceditcore_detail::UndoGroup group(buf);
  if (DeleteSelection(FALSE, record) != 0 && m_bSelection) return FALSE;
  EditPos at{m_pCaretLine, ColumnOffset(m_pCaretLine, m_nCaretColumn)};
  int start = at.offset;
  if (!replacement.IsEmpty()) buf->InsertString(at, replacement, TRUE, record);
  bool forward = (rec.flags & FIND_FORWARD) != 0;
  m_nCaretColumn = buf->OffsetToColumn(m_pCaretLine, forward ? start + replacement.GetLength() : start);
  return TRUE;
}

template <class TBase>
void SECEditCore<TBase>::ReplaceMatch(FindRecord& rec, OEFindDlg* dialog) {
  if (m_bSelection && !m_strLastMatch.IsEmpty()) {
    std::string selected = SelectionClipText();
    if (selected == std::string(static_cast<LPCSTR>(m_strLastMatch), m_strLastMatch.GetLength())) {
      // The groups of the kept match are in rec once it is searched again.
      if (rec.flags & FIND_REGEX) {
        EditPos pos{m_pSelStartLine, ColumnOffset(m_pSelStartLine, m_nSelStartColumn)};
        EditPos limit{m_pSelEndLine, ColumnOffset(m_pSelEndLine, m_nSelEndColumn)};
        FindRecord probe = rec;
        probe.flags |= FIND_FORWARD;
        if (FindText(pos, limit, &probe)) rec.substituted = probe.substituted;
      }
      ReplaceSelected(rec, TRUE);
      RefreshLineCount();
      RepaintRow(m_nCaretLine - m_nTopLine);
      UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
    }
  }
  SearchAndSelect(rec, dialog->m_bWrap, dialog);
}

template <class TBase>
void SECEditCore<TBase>::ReplaceAllMatches(FindRecord& rec, OEFindDlg* dialog) {
  EditBuffer* buf = Buf();
  if (buf->IsReadOnly()) {
    DoError(EDIT_READ_ONLY, m_bRedraw);
    return;
  }
  EditLine* oldLine = m_pCaretLine;
  int oldNumber = m_nCaretLine;
  int oldColumn = m_nCaretColumn;
  if (m_bSelection) ClearSelection(m_bRedraw);
  BOOL redraw = m_bRedraw;
  m_bRedraw = FALSE;
  ReplaceAllResult result = ReplaceEveryMatch(*buf, PrepareWalk(), rec, kMaxColumn);
  m_bRedraw = redraw;
  if (result.matches == 0) {
    m_pCaretLine = oldLine;
    m_nCaretLine = oldNumber;
    m_nCaretColumn = oldColumn;
    DoError(EDIT_NOT_FOUND, rec.pattern, m_bRedraw);
    return;
  }
  for (EditLine* l = buf->m_pLines; l != nullptr; l = l->next) {
    if ((l->flags & LINE_INVERT_MASK) != 0) l->flags &= ~LINE_INVERT_MASK;
  }
  m_invertFrom = m_invertTo = InvertMark{};
  // Lines keep their places and their count: only their bytes changed.
  m_pCaretLine = oldLine;
  m_nCaretLine = oldNumber;
  m_nCaretColumn = std::min(oldColumn, EndColumn(m_pCaretLine));
  RevalidateTopLine(m_pCaretLine);
  (void)dialog;
  CloseFindDialog();
  UpdateViews(nullptr, HINT_TEXT_CHANGED, nullptr);
  if (m_bRedraw) {
    MakeCaretVisible();
    RepaintAll(FALSE);
  }
}
