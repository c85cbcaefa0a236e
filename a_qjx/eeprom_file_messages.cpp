#include "a_qjx/eeprom_file_messages.h"

#include "platform/sys/msgbox.h"
#include "ytn1/eeprom_value_file.h"
#include "ytn1/prompt.h"

namespace {

constexpr const char* kFileError = "EEPROM file Error.";
constexpr const char* kNotForThisModule = "This file is not a correct EEPROM file for this module.";

}  // namespace

const char* EepromFileResultText(WORD result) {
  switch (result) {
    case ytn1::kEepromOk:
    case ytn1::kEepromCancelled:
      return nullptr;
    case ytn1::kEepromWrongHeader:
    case ytn1::kEepromWrongLineCount:
    case ytn1::kEepromNotHex:
      return kNotForThisModule;
    default:  // kEepromNoFile, and any result added later
      return kFileError;
  }
}

bool ShowEepromFileResult(WORD result) {
  const char* text = EepromFileResultText(result);
  if (!text) return false;
  ytn1::ShowMessage(text, nullptr, MB_OK | MB_ICONEXCLAMATION);
  return true;
}
