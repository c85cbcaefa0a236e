// Walking a standard menu resource template (items: u16 flags; u16 id,
// absent for a popup; NUL-terminated UTF-16 text; MF_END on a level's last
// item), as the menu bar turns a menu resource into buttons and popups.
// Every routine stops at `end`.
#pragma once

#include <string>

#include "platform/afx/afx.h"

// Moves pItem to the n-th item of the current level (popups' items are
// skipped); FALSE when the level or the template ends first.
BOOL FindTemplateItem(const BYTE*& pItem, const BYTE* end, int n);
// Moves pItem past the rest of the current level.
void SkipTemplateItems(const BYTE*& pItem, const BYTE* end);
// The text of the item at pItem, as Windows-1252 bytes.
std::string TemplateItemText(const BYTE* pItem, const BYTE* end);
// Builds a popup menu of the level at pItem and moves pItem past it; null
// when making or appending fails (nothing is left behind).
HMENU BuildPopupFromTemplate(const BYTE*& pItem, const BYTE* end);
