#include "a_qjx/macro_commands.h"

#include "a_qjx/board_type_codes.h"

namespace {

// Board types whose list holds an entry, as bits: D Kora-DESK/2 (2),
// L Kora-LINE (6), M Mini-TESSERA (7), T TESSERA (8).
enum MacroFamilies : unsigned {
  kMacroD = 1,
  kMacroL = 2,
  kMacroM = 4,
  kMacroT = 8,
  kMacroAll = kMacroD | kMacroL | kMacroM | kMacroT,
  kMacroLmt = kMacroL | kMacroM | kMacroT,
};

struct MacroCommand {
  const char* entry;
  unsigned families;
};

constexpr MacroCommand kMacroCommands[] = {
    {"00 20\tBoard ready?", kMacroAll},
    {"01 20\tRead type of board / operating system", kMacroAll},
    {"12 00\tReset DLP-bit", kMacroAll},
    {"1b 02\tReaction to macro commands", kMacroAll},
    {"20 04\tDefine memory pointer", kMacroAll},
    {"21 0F\tWrite n byte to pointer", kMacroAll},
    {"22 52\tIndicate free memory", kMacroAll},
    {"22 9F\tAllocate memory", kMacroAll},
    {"23 03\tSwitch LED1 (external) off", kMacroLmt},
    {"23 03\tSwitch LED1 (external) on", kMacroLmt},
    {"23 03\tWrite byte to 8-bit port", kMacroAll},
    {"23 04\tWrite word to 16-bit port", kMacroAll},
    {"24 02\tStart program from pointer", kMacroAll},
    {"25 F0\tRead m byte from pointer", kMacroAll},
    {"26 F4\tRead block from memory", kMacroLmt},
    {"27 22\tRead byte from 8-bit port", kMacroAll},
    {"27 32\tRead word from 16-bit port", kMacroAll},
    {"28 32\tRead EEPROM-word (directly)", kMacroAll},
    {"29 04\tWrite EEPROM-word (directly)", kMacroAll},
    {"2E 0F\tWrite block to memory", kMacroLmt},
    {"2F 54\tSystem-call", kMacroAll},
    {"30 00\tSwitch LED on", kMacroD},
    {"30 00\tSwitch LED2 (on-board) on", kMacroLmt},
    {"31 00\tSwitch LED off", kMacroD},
    {"31 00\tSwitch LED2 (on-board) off", kMacroLmt},
    {"33 20\tRead status of LED2", kMacroAll},
    {"34 20\tRead status of clock", kMacroLmt},
    {"35 01\tSet mode of clock", kMacroLmt},
    {"36 40\tRead time", kMacroLmt},
    {"36 80\tRead date and time", kMacroLmt},
    {"37 07\tSet date and time", kMacroLmt},
    {"38 22\tProgram in ROM?", kMacroLmt},
    {"39 01\tCache on/off", kMacroLmt},
    {"3A 31\tTask using interrupt i?", kMacroAll},
    {"3B 22\tInit module", kMacroAll},
    {"40 0F\tInstall program", kMacroAll},
    {"41 02\tActivate a task", kMacroAll},
    {"41 0F\tActivate TI-Task", kMacroAll},
    {"42 02\tDeactivate a task", kMacroAll},
    {"43 22\tTask t activated (number)?", kMacroAll},
    {"44 DD\tCall function f of task t", kMacroAll},
    {"45 04\tCall procedure f of task t", kMacroAll},
    {"46 02\tSet R-pointer to start address", kMacroAll},
    {"47 06\tMove R-pointer by n", kMacroAll},
    {"48 02\tSet W-pointer to start address", kMacroAll},
    {"49 06\tMove W-pointer by n", kMacroAll},
    {"4A F2\tRead n byte, P=P+n", kMacroAll},
    {"4B 0F\tWrite n byte, P=P+n", kMacroAll},
    {"4C F4\tRead parameter block", kMacroAll},
    {"4D 0F\tWrite parameter block", kMacroAll},
    {"4E 64\ttask under that program p is installed", kMacroAll},
    {"50 22\tRead data byte, P=P+1", kMacroAll},
    {"51 32\tRead data word, P=P+2", kMacroAll},
    {"52 52\tRead data double-word, P=P+4", kMacroAll},
    {"54 03\tWrite data byte, P=P+1", kMacroAll},
    {"55 04\tWrite data word, P=P+2", kMacroAll},
    {"56 06\tWrite data double-word, P=P+4", kMacroAll},
    {"58 24\tRead parameter byte", kMacroAll},
    {"59 34\tread parameter word", kMacroD | kMacroL},
    {"59 34\tRead parameter word", kMacroM | kMacroT},
    {"5A 54\tRead parameter double-word", kMacroAll},
    {"5C 05\tWrite parameter byte", kMacroAll},
    {"5D 06\tWrite parameter word", kMacroAll},
    {"5E 08\tWrite parameter double-word", kMacroAll},
    {"60 AF\tCreate buffer", kMacroAll},
    {"61 04\tDelete buffer p", kMacroAll},
    {"62 04\tClear contents of buffer p", kMacroAll},
    {"63 A4\tStatus of buffer p", kMacroAll},
    {"64 34\tRead byte from buffer p", kMacroLmt},
    {"65 44\tRead word from buffer p", kMacroLmt},
    {"66 64\tRead double-word from buffer p", kMacroLmt},
    {"67 D6\tRead block from buffer p", kMacroLmt},
    {"68 25\tWrite byte to buffer p", kMacroLmt},
    {"69 26\tWrite word to buffer p", kMacroLmt},
    {"6A 28\tWrite double-word to buffer p", kMacroLmt},
    {"6B 4D\tWrite block to buffer p", kMacroLmt},
    {"6C 60\tStatus of buffer, last accessed by PC", kMacroAll},
};

unsigned MacroFamilyOf(WORD boardType) {
  switch (boardType) {
    case kTypeKoraDesk2:
      return kMacroD;
    case kTypeKoraLine:
      return kMacroL;
    case kTypeMiniTessera:
      return kMacroM;
    case kTypeTessera:
      return kMacroT;
    default:
      return 0;
  }
}

// Keys of the macro field besides 0-9 and A-F: Backspace, Space, End,
// Home, Left, Right, Delete.
constexpr WPARAM kMacroEditKeys[] = {8, 32, 35, 36, 37, 39, 46};

}  // namespace

std::vector<const char*> MacroCommandEntries(WORD boardType) {
  std::vector<const char*> entries;
  const unsigned family = MacroFamilyOf(boardType);
  for (const MacroCommand& command : kMacroCommands)
    if (command.families & family) entries.push_back(command.entry);
  return entries;
}

bool MacroFieldTakesKey(WPARAM key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'F')) return true;
  for (WPARAM edit : kMacroEditKeys)
    if (key == edit) return true;
  return false;
}
