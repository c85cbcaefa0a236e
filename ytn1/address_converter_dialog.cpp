#include "ytn1/address_converter_dialog.h"

#include "ytn1/address_conversion.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace ytn1 {

namespace {

constexpr UINT kConverterTemplate = 129;
constexpr DWORD kConverterLimit = 0x100000;
constexpr int kConverterPhysicalChars = 8, kConverterPartChars = 4;

}  // namespace

void SetFieldIfChanged(HWND dialog, int id, const CString& text) {
  char shown[64] = {};
  GetDlgItemText(dialog, id, shown, sizeof shown);
  if (text != shown) SetDlgItemText(dialog, id, text);
}

BEGIN_MESSAGE_MAP(CAddressConverterDialog, CDialog)
ON_WM_CLOSE()
ON_CONTROL(EN_CHANGE, kConverterPhysical, OnPhysicalChanged)
ON_CONTROL(EN_CHANGE, kConverterSegment, OnSegmentOffsetChanged)
ON_CONTROL(EN_CHANGE, kConverterOffset, OnSegmentOffsetChanged)
END_MESSAGE_MAP()

CAddressConverterDialog::CAddressConverterDialog() : CDialog(kConverterTemplate) {}

BOOL CAddressConverterDialog::OnInitDialog() {
  converting_ = true;
  CDialog::OnInitDialog();
  UpdateData(FALSE);
  converting_ = false;
  return TRUE;
}

void CAddressConverterDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, kConverterOffset, offsetText);
  DDV_MaxChars(dx, offsetText, kConverterPartChars);
  DDX_Text(dx, kConverterPhysical, physicalText);
  DDV_MaxChars(dx, physicalText, kConverterPhysicalChars);
  DDX_Text(dx, kConverterSegment, segmentText);
  DDV_MaxChars(dx, segmentText, kConverterPartChars);
}

void CAddressConverterDialog::ReadFields() {
  GetDlgItemText(kConverterPhysical, physicalText);
  GetDlgItemText(kConverterSegment, segmentText);
  GetDlgItemText(kConverterOffset, offsetText);
}

void CAddressConverterDialog::WriteField(int id, const CString& text) { SetFieldIfChanged(m_hWnd, id, text); }

// A conversion writes the other fields without starting the opposite one;
// the physical address settles in its "%lX" form.
void CAddressConverterDialog::OnPhysicalChanged() {
  if (converting_) return;
  converting_ = true;
  ReadFields();
  DWORD physical = ReadHexText(physicalText);
  if (physical >= kConverterLimit) {
    ShowMessage("Error!\r\n\r\nPhysical address out of range.", nullptr, MB_OK | MB_ICONSTOP);
    physical = 0;
  }
  SplitPhysicalAddress(physical, &segmentText, &offsetText);
  WriteField(kConverterSegment, segmentText);
  WriteField(kConverterOffset, offsetText);
  physicalText = JoinSegmentOffset(segmentText, offsetText);
  WriteField(kConverterPhysical, physicalText);
  converting_ = false;
}

void CAddressConverterDialog::OnSegmentOffsetChanged() {
  if (converting_) return;
  converting_ = true;
  ReadFields();
  physicalText = JoinSegmentOffset(segmentText, offsetText);
  WriteField(kConverterPhysical, physicalText);
  converting_ = false;
}

// OK and Esc end the window like its close box.
void CAddressConverterDialog::OnOK() { DestroyWindow(); }
void CAddressConverterDialog::OnCancel() { DestroyWindow(); }
void CAddressConverterDialog::OnClose() { DestroyWindow(); }

void CAddressConverterDialog::PostNcDestroy() { delete this; }

}  // namespace ytn1

extern "C" DWORD WINAPI SegmentOffset(DWORD, DWORD, DWORD, DWORD) {
  auto* dialog = new ytn1::CAddressConverterDialog;
  if (!dialog->Create(129u, nullptr)) delete dialog;
  return 0;
}
