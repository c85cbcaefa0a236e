// Modal user interface answered by tests: modal dialogs, popup menus and
// common dialogs take a scripted action or answer first (first in, first
// out), then an installed handler; in a run without a display they end at
// once with their cancel answer and one line on standard error, so nothing
// waits for a person. Every modal thing is recorded.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/wintypes.h"

namespace plat {

// What a modal thing showed and how it ended.
struct ModalRecord {
  std::string kind;     // "dialog", "menu", "file", "folder", "color", "font", "print", "pagesetup"
  std::string caption;  // dialog caption, or the menu's item texts joined by "|"
  INT_PTR result = 0;   // EndDialog value, chosen command, IDOK/IDCANCEL
};
std::vector<ModalRecord> ModalRecords();
void ClearModalRecords();  // also drops pending actions and answers

// True when no person can answer (Qt's offscreen or minimal platform).
bool IsHeadless();

// Modal dialogs: the action runs once the dialog is initialised and shown;
// it drives the dialog (fills controls, sends clicks, calls EndDialog).
// Messages it posts are handled afterwards; a headless dialog still open
// when its queue runs dry ends with IDCANCEL.
using DialogAction = std::function<void(HWND hDlg)>;
void PushDialogAction(DialogAction action);
void SetDialogHandler(DialogAction handler);  // empty: none

// Popup menus: the answer is the chosen command id (0: dismissed).
void PushMenuAnswer(UINT id);
void SetMenuHandler(std::function<UINT(HMENU)> handler);

// Common dialogs: the answer gives the chosen paths / colour / font name
// and size, or cancel. `values` of a file dialog are full paths.
struct CommonDialogAnswer {
  bool ok = false;
  std::vector<std::string> values;
  COLORREF color = 0;
  int number = 0;  // font point size, filter index (1-based), copies
};
void PushCommonDialogAnswer(const CommonDialogAnswer& answer);
// The handler sees the kind and the caption of the request.
void SetCommonDialogHandler(
    std::function<CommonDialogAnswer(const std::string& kind, const std::string& caption)> handler);

}  // namespace plat

namespace mirt_ui {
// For the layer: record a modal end, fetch a scripted dialog action,
// menu answer or common-dialog answer (false when none and headless
// runs should cancel; `person` tells whether a person may answer).
void RecordModal(const std::string& kind, const std::string& caption, INT_PTR result);
bool TakeDialogAction(plat::DialogAction* action);
bool TakeMenuAnswer(HMENU menu, UINT* id);
bool TakeCommonDialogAnswer(const std::string& kind, const std::string& caption,
                            plat::CommonDialogAnswer* answer);
void ReportHeadless(const std::string& kind, const std::string& caption, const char* outcome);
}  // namespace mirt_ui
