// The task dialog: the tasks installed on the board as a tree (each with
// its PDT, TDT, parameter and data area), the chosen item's description as
// lines, and single bytes of the parameter and data areas changed by a
// double-click on their line.
#pragma once
#include "a_qjx/modeless_tool_dialog.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/imagelist.h"

class CTaskDialog : public CModelessToolDialog {
 public:
  explicit CTaskDialog(CBoardFamily& family);
  BOOL OnInitDialog() override;
  void FillTree();
  void ShowLines();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnUpdate();
  void OnTreeSelection(NMHDR* header, LRESULT* result);
  void OnTreeClick(NMHDR* header, LRESULT* result);
  void OnLineDoubleClick();
  void OnHelp();
  DECLARE_MESSAGE_MAP()

 private:
  void BuildImages();
  DWORD_PTR SelectedItemData() const;

  CListBox lines_;
  CTreeCtrl tree_;
  CImageList images_;
};

// Asks for a byte as hex (two digits at most); the value on OK.
class CChangeTaskParameterDialog : public CDialog {
 public:
  explicit CChangeTaskParameterDialog(WORD value, CWnd* parent = nullptr);
  BOOL OnInitDialog() override;
  WORD value() const { return value_; }

 protected:
  void OnOK() override;
  void OnHelp();
  DECLARE_MESSAGE_MAP()

 private:
  WORD value_;
};
