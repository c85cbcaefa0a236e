// The exports of the modal tools and the board information.
#include <algorithm>
#include <cstring>

#include "a_qjx/a_qjx.h"
#include "a_qjx/board_family.h"
#include "a_qjx/board_tools_app.h"
#include "a_qjx/board_type_codes.h"
#include "a_qjx/tool_windows.h"
#include "drivers/rizo32/rizo32.h"
#include "ytn1/prompt.h"

namespace {

constexpr const char* kResetQuestion =
    "You have changed EEPROM values.\r\nYou have to RESET your KALVEN board!\r\n\r\nDo you want to RESET "
    "now?";
constexpr WORD kEepromWordLimit = 100;

// The family for a code of the QJ boards, made the current one; null for
// other codes.
CBoardFamily* SelectQjFamily(WORD code) {
  if (!IsQjBoardType(code)) return nullptr;
  CBoardFamily* family = FamilyForType(code);
  family->typeCode = code;
  g_currentFamily = family;
  return family;
}

// The EEPROM geometry of the board; the editor's title, or null when the
// board has no EEPROM to edit.
const char* PrepareEeprom(CBoardFamily* family, WORD code) {
  family->eepromModuleCount = 0;
  std::fill(std::begin(family->eepromWordCount), std::end(family->eepromWordCount), WORD(0));
  switch (code) {
    case kTypeKoraDesk2: {
      uint16_t revision = 0, kind = 0, serial = 0;
      qj2_card_check(&revision, &kind, &serial);
      if (kind == 1 || kind == 2) return nullptr;  // analog-only or digital-only board
      family->eepromModuleCount = 1;
      family->eepromWordCount[0] = 64;
      return "Kora-DESK/2 - EEPROM";
    }
    case kTypeKoraLine:
      family->eepromModuleCount = 37;
      family->eepromWordCount[0] = 32;
      for (int m : {1, 2, 3}) family->eepromWordCount[m] = 16;
      for (int m : {32, 34, 35, 36, 37}) family->eepromWordCount[m] = 64;
      return "Kora-LINE - EEPROM";
    default: {
      family->eepromModuleCount = code == kTypeTessera ? 11 : 3;
      for (WORD m = 0; m < family->eepromModuleCount; ++m) {
        WORD words = qj8_read_par_word(0, WORD(100 + 4 * m));
        family->eepromWordCount[m] = std::clamp<WORD>(words, 1, kEepromWordLimit);
      }
      return "TESSERA-4/486 - EEPROM";
    }
  }
}

}  // namespace

extern "C" {

int32_t WINAPI a_qjx_init(DWORD) {
  LibraryScope scope;
  return 0;
}

int32_t WINAPI a_qjx_filter_msg(tagMSG* msg) {
  LibraryScope scope;
  return PreTranslateToolMessage(msg) ? 1 : 0;
}

WORD WINAPI a_qjx_eeprom(DWORD type) {
  LibraryScope scope;
  const WORD code = WORD(type);
  CBoardFamily* family = SelectQjFamily(code);
  if (!family) return 0;
  const char* title = PrepareEeprom(family, code);
  if (!title) return 0;
  family->typeCode = code;
  auto editor = ModalToolDialogs().eepromEditor;
  if (!editor || editor(title) == 0) return 0;
  int answer = ytn1::ShowMessage(kResetQuestion, title, MB_YESNO | MB_ICONWARNING | MB_TASKMODAL);
  return answer == IDYES ? 1 : 0;
}

void WINAPI a_qjx_macro(DWORD type) {
  LibraryScope scope;
  if (SelectQjFamily(WORD(type)) && ModalToolDialogs().macroDialog) ModalToolDialogs().macroDialog();
}

WORD WINAPI a_qjx_srq_test(DWORD type, DWORD) {
  LibraryScope scope;
  CBoardFamily* family = SelectQjFamily(WORD(type));
  return family ? WORD(family->TestInterruptChannel()) : 1;
}

void WINAPI a_qjx_debugger(DWORD type) {
  LibraryScope scope;
  const WORD code = WORD(type);
  CBoardFamily* family = SelectQjFamily(code);
  if (!family) return;
  family->kernelFile.Format("QJ%dREMOT.EXE", code);
  if (code == kTypeKoraDesk2)
    family->commFile.Empty();
  else
    family->commFile.Format("QJ%dREMCO.EXE", code);
  if (ModalToolDialogs().debuggerSettings) ModalToolDialogs().debuggerSettings();
}

int32_t WINAPI a_qjx_get_board_info_string(int16_t board, int16_t type, DWORD* length, char* buffer) {
  LibraryScope scope;
  const WORD code = WORD(type);
  if (!length || !(IsQjBoardType(code) || IsZorBoardType(code))) return 1;
  CBoardFamily* family = FamilyForType(code);
  family->typeCode = code;
  family->boardNumber = WORD(board);
  g_currentFamily = family;
  if (family->EnsureBoardRunning() != 0) return 1;
  family->GetEepromText();
  CString text = family->eepromText;
  family->GetFpgaText();
  if (!family->fpgaText.IsEmpty()) text += "\n\n" + family->fpgaText;
  const DWORD needed = DWORD(text.GetLength()) + 1;
  if (*length < needed || !buffer) {
    *length = needed;
    return 1;
  }
  std::memset(buffer, 0, *length);
  std::memcpy(buffer, (LPCTSTR)text, needed - 1);
  return 0;
}

}  // extern "C"
