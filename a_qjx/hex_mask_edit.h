// CHexMaskEdit: an edit that keeps its text in the shape of a mask (see
// HexMask), typing over its positions.
#pragma once
#include "a_qjx/hex_mask.h"
#include "platform/ui/afxctrl.h"

class CHexMaskEdit : public CEdit {
 public:
  void SetMask(LPCSTR mask, LPCSTR unusedPrompt = nullptr);
  void SetValue(LPCSTR value);
  CString GetValue() const { return mask_.GetValue(); }
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 protected:
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  DECLARE_MESSAGE_MAP()

 private:
  void OnUpdate();
  void ShowDisplay(int caret);
  HexMask mask_;
  int lastWasDelete_ = 0;
  int lastWasBackspace_ = 0;
};
