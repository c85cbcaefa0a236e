#include "a_qjx/combo_choices.h"

#include <string_view>

void FillComboChoices(CWnd* dialog, int id, std::span<const ComboChoice> choices, DWORD code,
                      const char* fallback) {
  dialog->SendDlgItemMessage(id, CB_RESETCONTENT, 0, 0);
  LRESULT chosen = -1, spare = 0;
  for (const ComboChoice& choice : choices) {
    const LRESULT at = dialog->SendDlgItemMessage(id, CB_ADDSTRING, 0, LPARAM(choice.text));
    dialog->SendDlgItemMessage(id, CB_SETITEMDATA, WPARAM(at), LPARAM(choice.code));
    if (choice.code == code && chosen < 0) chosen = at;
    if (fallback && std::string_view(choice.text) == fallback) spare = at;
  }
  dialog->SendDlgItemMessage(id, CB_SETCURSEL, WPARAM(chosen >= 0 ? chosen : spare), 0);
}

DWORD ChosenComboCode(CWnd* dialog, int id, DWORD kept, int* index) {
  const int at = int(dialog->SendDlgItemMessage(id, CB_GETCURSEL, 0, 0));
  if (index) *index = at;
  if (at < 0) return kept;
  return DWORD(dialog->SendDlgItemMessage(id, CB_GETITEMDATA, WPARAM(at), 0));
}
