// What the EEPROM editor says after SaveEepromValues or LoadEepromValues:
// every result but "saved/loaded" and "cancelled" gets a box, results the
// editor does not know of included, so that no failure goes unseen.
#pragma once

#include "platform/base/windef.h"

// The box's text for a result; null for 0 (done) and 1 (cancelled).
const char* EepromFileResultText(WORD result);
// Shows that text (exclamation icon); true when a box was shown.
bool ShowEepromFileResult(WORD result);
