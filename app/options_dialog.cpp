#include "app/options_dialog.h"

#include "app/command_ids.h"

namespace {
constexpr int kOptionsTabWidthEdit = 1017;
constexpr int kOptionsFontSizeEdit = 1001;
constexpr UINT kOptionsTabWidthMin = 1, kOptionsTabWidthMax = 80;
constexpr UINT kOptionsFontSizeMin = 6, kOptionsFontSizeMax = 36;
}  // namespace

COptionsDialog::COptionsDialog(CWnd* parent) : CDialog(IDD_OPTIONS, parent) {}

void COptionsDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, kOptionsTabWidthEdit, m_nTabWidth);
  DDV_MinMaxUInt(pDX, m_nTabWidth, kOptionsTabWidthMin, kOptionsTabWidthMax);
  DDX_Text(pDX, kOptionsFontSizeEdit, m_nFontSize);
  DDV_MinMaxUInt(pDX, m_nFontSize, kOptionsFontSizeMin, kOptionsFontSizeMax);
}
