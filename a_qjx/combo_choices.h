// Drop-down lists of the tool dialogs whose entries stand for setting
// codes: each entry's code is its item data.
#pragma once
#include <span>

#include "platform/base/winctrl.h"
#include "platform/ui/cwnd.h"

// One entry of a list: its text and the code it stands for.
struct ComboChoice {
  const char* text;
  DWORD code;
};

// Fills a list; selects the entry whose code is `code`, else the one named
// `fallback`, else the first.
void FillComboChoices(CWnd* dialog, int id, std::span<const ComboChoice> choices, DWORD code,
                      const char* fallback = nullptr);

// The code of the chosen entry, or `kept` when none is chosen; *index gets
// the chosen index (-1 for none) when asked.
DWORD ChosenComboCode(CWnd* dialog, int id, DWORD kept, int* index = nullptr);
