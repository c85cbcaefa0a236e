// The Address Converter: a modeless window without owner that converts a
// physical address below 1 MB to segment and offset and back while the
// user types. Every SegmentOffset call opens a new one; it deletes itself
// when its window is destroyed.
#pragma once
#include "platform/ui/afxdlg.h"

namespace ytn1 {

enum : int { kConverterPhysical = 1000, kConverterSegment = 1001, kConverterOffset = 1002 };

class CAddressConverterDialog : public CDialog {
 public:
  CAddressConverterDialog();
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

  CString offsetText = "0";
  CString physicalText = "0";
  CString segmentText = "0";

 protected:
  void PostNcDestroy() override;
  void OnCancel() override;
  void OnOK() override;
  void OnClose();
  void OnPhysicalChanged();
  void OnSegmentOffsetChanged();
  DECLARE_MESSAGE_MAP()

 private:
  void ReadFields();
  void WriteField(int id, const CString& text);
  bool converting_ = false;
};

// Sets a dialog field's text only when it differs, so that fields whose
// change notifications update each other come to rest.
void SetFieldIfChanged(HWND dialog, int id, const CString& text);

}  // namespace ytn1
