#include "a_qjx/eeprom_editor_dialog.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "a_qjx/board_family.h"
#include "a_qjx/board_type_codes.h"
#include "a_qjx/eeprom_file_messages.h"
#include "a_qjx/tool_ids.h"
#include "platform/afx/afxres.h"
#include "platform/afx/winapp.h"
#include "ytn1/ytn1.h"

namespace {

// Legend: entry text, module index (the entry's item data).
constexpr EepromModuleEntry kEepromDesk2[] = {{"Kora-DESK/2", 0}};
constexpr EepromModuleEntry kEepromLine[] = {{"Kora-LINE", 0}, {"SCC1", 1},      {"SCC2", 2},
                                             {"SCC3", 3},      {"V-Port A", 32}, {"V-Port C", 34},
                                             {"V-Port D", 35}, {"V-Port E", 36}, {"V-Port F", 37}};
constexpr EepromModuleEntry kEepromTessera7[] = {{"TESSERA-4/486", 0}, {"Module 1", 1}, {"Module 2", 2}};
constexpr EepromModuleEntry kEepromTessera8[] = {{"TESSERA-4/486", 0}, {"Module 1", 1},  {"Module 2", 2},
                                                 {"Module 3", 3},      {"Module 4", 4},  {"Module 5", 5},
                                                 {"Module 6", 6},      {"Module 7", 7},  {"Module 8", 8},
                                                 {"Module 9", 9},      {"Module 10", 10}};

// Bit boxes by bit number.
constexpr int kEepromBitBox[16] = {IDC_EEPROM_BIT0,
                                   1067,
                                   1068,
                                   1069,
                                   1070,
                                   1071,
                                   1072,
                                   1073,
                                   1074,
                                   1075,
                                   1076,
                                   1077,
                                   1078,
                                   1079,
                                   1080,
                                   1081};
constexpr int kEepromNoField = 0;
constexpr int kEepromMaxValue = 0xFFFF;

}  // namespace

void EepromModulesOf(WORD type, const EepromModuleEntry** entries, int* count) {
  switch (type) {
    case kTypeKoraDesk2:
      *entries = kEepromDesk2, *count = int(std::size(kEepromDesk2));
      return;
    case kTypeKoraLine:
      *entries = kEepromLine, *count = int(std::size(kEepromLine));
      return;
    case kTypeMiniTessera:
      *entries = kEepromTessera7, *count = int(std::size(kEepromTessera7));
      return;
    case kTypeTessera:
      *entries = kEepromTessera8, *count = int(std::size(kEepromTessera8));
      return;
    default:
      *entries = nullptr, *count = 0;
  }
}

CString EepromFileHeader(WORD word0) {
  CString header;
  header.Format("[%.4hX]", word0);
  return header;
}

int RunEepromEditor(LPCSTR title) {
  if (!g_currentFamily) return 0;
  CEepromEditorDialog dialog(*g_currentFamily, title, AfxGetMainWnd());
  dialog.DoModal();
  return dialog.changed;
}

BEGIN_MESSAGE_MAP(CEepromEditorDialog, CDialog)
ON_CONTROL(CBN_SELCHANGE, IDC_EEPROM_MODULE, OnModuleChosen)
ON_CONTROL(LBN_SELCHANGE, IDC_EEPROM_VALUES, OnWordChosen)
ON_CONTROL(EN_CHANGE, IDC_EEPROM_HEX, OnHexTyped)
ON_CONTROL(EN_CHANGE, IDC_EEPROM_DEC, OnDecimalTyped)
ON_CONTROL_RANGE(BN_CLICKED, IDC_EEPROM_BIT0, IDC_EEPROM_BIT0, OnBitClicked)
ON_CONTROL_RANGE(BN_CLICKED, IDC_EEPROM_BIT1, IDC_EEPROM_BIT15, OnBitClicked)
ON_CONTROL(BN_CLICKED, IDC_EEPROM_CHANGE, OnChange)
ON_CONTROL(BN_CLICKED, IDC_EEPROM_SAVE, OnSave)
ON_CONTROL(BN_CLICKED, IDC_EEPROM_LOAD, OnLoad)
ON_CONTROL(BN_CLICKED, IDC_EEPROM_WRITE_FILE, OnWriteFile)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CEepromEditorDialog::CEepromEditorDialog(CBoardFamily& family, LPCSTR caption, CWnd* parent)
    : CDialog(IDD_EEPROM_EDITOR, parent), family_(family), caption_(caption) {}

BOOL CEepromEditorDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  hex_.SubclassDlgItem(IDC_EEPROM_HEX, this);
  hex_.SetMask("hhhh");
  changed = 0;
  GetDlgItem(IDC_EEPROM_WRITE_FILE)->EnableWindow(FALSE);
  SetWindowText(caption_);
  const EepromModuleEntry* entries = nullptr;
  int count = 0;
  EepromModulesOf(family_.typeCode, &entries, &count);
  for (int i = 0; i < count; ++i) {
    const LRESULT at = SendDlgItemMessage(IDC_EEPROM_MODULE, CB_ADDSTRING, 0, LPARAM(entries[i].text));
    SendDlgItemMessage(IDC_EEPROM_MODULE, CB_SETITEMDATA, WPARAM(at), LPARAM(entries[i].module));
  }
  SendDlgItemMessage(IDC_EEPROM_MODULE, CB_SETCURSEL, 0, 0);
  LoadModule();
  GotoDlgCtrl(&hex_);
  return FALSE;
}

WORD CEepromEditorDialog::WordCount() const {
  return module_ >= 0 && module_ < kEepromSlots ? family_.eepromWordCount[module_] : 0;
}

void CEepromEditorDialog::FillValues() {
  SendDlgItemMessage(IDC_EEPROM_VALUES, LB_RESETCONTENT, 0, 0);
  family_.ReadEepromWords(WORD(module_));
  for (WORD i = 0; i < WordCount() && i < kEepromSlots; ++i) {
    CString line;
    line.Format("%.2d\t%.4hX", int(i), family_.eepromWords[i]);
    SendDlgItemMessage(IDC_EEPROM_VALUES, LB_ADDSTRING, 0, LPARAM(LPCSTR(line)));
  }
}

void CEepromEditorDialog::LoadModule() {
  const LRESULT entry = SendDlgItemMessage(IDC_EEPROM_MODULE, CB_GETCURSEL, 0, 0);
  if (entry == CB_ERR) return;
  module_ = int(SendDlgItemMessage(IDC_EEPROM_MODULE, CB_GETITEMDATA, WPARAM(entry), 0));
  SetRedraw(FALSE);
  SendDlgItemMessage(IDC_EEPROM_VALUES, LB_RESETCONTENT, 0, 0);
  SendDlgItemMessage(IDC_EEPROM_FILE_VALUES, LB_RESETCONTENT, 0, 0);
  GetDlgItem(IDC_EEPROM_WRITE_FILE)->EnableWindow(FALSE);
  const BOOL hasWords = WordCount() != 0;
  for (int id : {IDC_EEPROM_CHANGE, IDC_EEPROM_LOAD, IDC_EEPROM_SAVE}) GetDlgItem(id)->EnableWindow(hasWords);
  word_ = 0;
  selected_ = 0;
  if (hasWords) {
    FillValues();
    SendDlgItemMessage(IDC_EEPROM_VALUES, LB_SETCURSEL, 0, 0);
    word_ = family_.eepromWords[0];
  }
  ShowWord(kEepromNoField);
  if (hasWords) GotoDlgCtrl(&hex_);
  SetRedraw(TRUE);
  Invalidate();
}

void CEepromEditorDialog::ShowWord(int skipField) {
  showing_ = true;
  for (int bit = 0; bit < 16; ++bit) {
    const bool set = usBITxy(word_, BYTE(bit), BYTE(bit)) != 0;
    CheckDlgButton(kEepromBitBox[bit], set ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemText(kEepromBitBox[bit], set ? "1" : "0");
  }
  if (skipField != IDC_EEPROM_DEC) SetDlgItemInt(IDC_EEPROM_DEC, word_, FALSE);
  if (skipField != IDC_EEPROM_HEX) {
    CString hex;
    hex.Format("%.4hX", word_);
    hex_.SetValue(hex);
  }
  showing_ = false;
}

void CEepromEditorDialog::OnModuleChosen() { LoadModule(); }

void CEepromEditorDialog::OnWordChosen() {
  const LRESULT line = SendDlgItemMessage(IDC_EEPROM_VALUES, LB_GETCURSEL, 0, 0);
  if (line == LB_ERR || line >= WordCount()) return;
  selected_ = WORD(line);
  word_ = family_.eepromWords[selected_];
  ShowWord(kEepromNoField);
}

void CEepromEditorDialog::OnHexTyped() {
  if (showing_ || !hex_.m_hWnd) return;
  unsigned short value = 0;
  if (std::sscanf(hex_.GetValue(), "%hx", &value) != 1) value = 0;
  word_ = value;
  ShowWord(IDC_EEPROM_HEX);
}

void CEepromEditorDialog::OnDecimalTyped() {
  if (showing_) return;
  BOOL ok = FALSE;
  const UINT value = GetDlgItemInt(IDC_EEPROM_DEC, &ok, FALSE);
  if (!ok || value > kEepromMaxValue) return;
  word_ = WORD(value);
  ShowWord(IDC_EEPROM_DEC);
}

void CEepromEditorDialog::OnBitClicked(UINT) {
  WORD value = 0;
  for (int bit = 0; bit < 16; ++bit) {
    const bool set = IsDlgButtonChecked(kEepromBitBox[bit]) == BST_CHECKED;
    SetDlgItemText(kEepromBitBox[bit], set ? "1" : "0");
    usxyBIT(&value, BYTE(bit), BYTE(bit), set ? 1 : 0);
  }
  word_ = value;
  ShowWord(kEepromNoField);
}

void CEepromEditorDialog::OnChange() {
  if (WordCount() == 0) return;
  changed = 1;
  family_.WriteEepromWord(WORD(module_), selected_, word_);
  family_.CheckDriverError();
  SetRedraw(FALSE);
  FillValues();
  SendDlgItemMessage(IDC_EEPROM_VALUES, LB_SETCURSEL, selected_, 0);
  word_ = family_.eepromWords[selected_];
  ShowWord(kEepromNoField);
  SetRedraw(TRUE);
  Invalidate();
}

void CEepromEditorDialog::OnSave() {
  char path[MAX_PATH] = {};  // the file functions give back up to MAX_PATH characters
  const WORD result =
      SaveEepromValues(WordCount(), family_.eepromWords, EepromFileHeader(family_.eepromWords[0]), "", path);
  ShowEepromFileResult(result);
}

void CEepromEditorDialog::OnLoad() {
  GetDlgItem(IDC_EEPROM_WRITE_FILE)->EnableWindow(FALSE);
  SendDlgItemMessage(IDC_EEPROM_FILE_VALUES, LB_RESETCONTENT, 0, 0);
  WORD words[kEepromSlots] = {};
  char path[MAX_PATH] = {};  // the file functions give back up to MAX_PATH characters
  const WORD result =
      LoadEepromValues(WordCount(), words, EepromFileHeader(family_.eepromWords[0]), "", path);
  if (ShowEepromFileResult(result) || result != 0) return;
  for (WORD i = 0; i < WordCount(); ++i) {
    CString line;
    line.Format("%hu\t%.4hX", i, words[i]);
    const LRESULT at = SendDlgItemMessage(IDC_EEPROM_FILE_VALUES, LB_ADDSTRING, 0, LPARAM(LPCSTR(line)));
    SendDlgItemMessage(IDC_EEPROM_FILE_VALUES, LB_SETITEMDATA, WPARAM(at), LPARAM(words[i]));
  }
  GetDlgItem(IDC_EEPROM_WRITE_FILE)->EnableWindow(TRUE);
}

void CEepromEditorDialog::OnWriteFile() {
  const LRESULT lines = SendDlgItemMessage(IDC_EEPROM_FILE_VALUES, LB_GETCOUNT, 0, 0);
  if (lines != WordCount()) return;
  for (LRESULT i = 0; i < lines; ++i) {
    const WORD word = WORD(SendDlgItemMessage(IDC_EEPROM_FILE_VALUES, LB_GETITEMDATA, WPARAM(i), 0));
    family_.WriteEepromWord(WORD(module_), WORD(i), word);
    family_.CheckDriverError();
  }
  LoadModule();
  changed = 1;
  GetDlgItem(IDC_EEPROM_WRITE_FILE)->EnableWindow(FALSE);
}

void CEepromEditorDialog::StepWord(int step) {
  const LRESULT count = SendDlgItemMessage(IDC_EEPROM_VALUES, LB_GETCOUNT, 0, 0);
  if (count <= 0) return;
  LRESULT line = SendDlgItemMessage(IDC_EEPROM_VALUES, LB_GETCURSEL, 0, 0) + step;
  line = std::max<LRESULT>(0, std::min<LRESULT>(count - 1, line));
  SendDlgItemMessage(IDC_EEPROM_VALUES, LB_SETCURSEL, WPARAM(line), 0);
  OnWordChosen();
}

void CEepromEditorDialog::StepModule(int step) {
  const LRESULT count = SendDlgItemMessage(IDC_EEPROM_MODULE, CB_GETCOUNT, 0, 0);
  if (count <= 0) return;
  LRESULT entry = SendDlgItemMessage(IDC_EEPROM_MODULE, CB_GETCURSEL, 0, 0) + step;
  entry = std::max<LRESULT>(0, std::min<LRESULT>(count - 1, entry));
  SendDlgItemMessage(IDC_EEPROM_MODULE, CB_SETCURSEL, WPARAM(entry), 0);
  LoadModule();
}

BOOL CEepromEditorDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN) {
    const bool inField = msg->hwnd == hex_.m_hWnd || msg->hwnd == ::GetDlgItem(m_hWnd, IDC_EEPROM_DEC);
    switch (msg->wParam) {
      case VK_UP:
      case VK_DOWN:
        if (!inField) break;
        StepWord(msg->wParam == VK_UP ? -1 : 1);
        return TRUE;
      case VK_RETURN:
        if (!inField) break;
        OnChange();
        return TRUE;
      case VK_PRIOR:
      case VK_NEXT:
        StepModule(msg->wParam == VK_PRIOR ? -1 : 1);
        return TRUE;
      default:
        break;
    }
  }
  return CDialog::PreTranslateMessage(msg);
}

void CEepromEditorDialog::OnHelp() { ShowHelpFile("ytn32.chm", "ytn32_help_eeprom.htm", 0); }
