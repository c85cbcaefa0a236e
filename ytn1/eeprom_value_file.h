// EEPROM value files (".eep"): a header line and one "%.4hX" line per
// word, lines ended by CR LF.
#pragma once
#include <string>

#include "platform/base/windef.h"

namespace ytn1 {

enum EepromFileResult : WORD {
  kEepromOk = 0,
  kEepromCancelled = 1,
  kEepromNoFile = 2,
  kEepromWrongHeader = 3,
  kEepromWrongLineCount = 4,
  kEepromNotHex = 5,  // a word line is not a hexadecimal word
};

// The path a chosen name is saved under: the file name's first "." (when
// it is not the name's first character) and what follows are replaced by
// ".eep"; the folders stay as they are.
std::string EepromFilePath(const std::string& chosen);
// The file's text for the words.
std::string FormatEepromFile(const std::string& header, const WORD* words, WORD count);
// Reads the file's text into words: only a fully valid text changes them.
EepromFileResult ParseEepromFile(const std::string& text, const std::string& header, WORD* words, WORD count);

}  // namespace ytn1
