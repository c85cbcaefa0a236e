// The EEPROM editor: the configuration EEPROM words of a QJ board and its
// modules, changed one at a time as hex, decimal or bits, saved to and
// written from EEPROM value files.
#pragma once
#include "a_qjx/hex_mask_edit.h"
#include "platform/ui/afxdlg.h"

class CBoardFamily;

struct EepromModuleEntry {
  const char* text;
  WORD module;
};
// The module list of a board type (empty for other types).
void EepromModulesOf(WORD type, const EepromModuleEntry** entries, int* count);
// The header line of a module's value file: "[%.4hX]" of its word 0.
CString EepromFileHeader(WORD word0);

class CEepromEditorDialog : public CDialog {
 public:
  CEepromEditorDialog(CBoardFamily& family, LPCSTR caption, CWnd* parent);
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;

  int changed = 0;

 protected:
  void OnModuleChosen();
  void OnWordChosen();
  void OnHexTyped();
  void OnDecimalTyped();
  void OnBitClicked(UINT id);
  void OnChange();
  void OnSave();
  void OnLoad();
  void OnWriteFile();
  void OnHelp();
  DECLARE_MESSAGE_MAP()

 private:
  void LoadModule();
  void ShowWord(int skipField);
  void FillValues();
  WORD WordCount() const;
  void StepWord(int step);
  void StepModule(int step);

  CBoardFamily& family_;
  CString caption_;
  CHexMaskEdit hex_;
  WORD word_ = 0;
  WORD selected_ = 0;
  int module_ = 0;
  bool showing_ = false;
};

// The modal run of a_qjx_eeprom; non-zero when values were changed.
int RunEepromEditor(LPCSTR title);
