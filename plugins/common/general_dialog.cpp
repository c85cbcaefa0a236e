#include "plugins/common/general_dialog.h"

#include <vector>

#include "platform/sys/msgbox.h"
#include "platform/ui/afxctrl.h"
#include "plugins/common/board_list.h"

namespace {
constexpr int kGeneralBoardCombo = 1141;
constexpr int kGeneralInsFile = 1125;
constexpr int kGeneralExeFile = 1126;
constexpr int kGeneralBoardCount = 100;
}  // namespace

BEGIN_MESSAGE_MAP(CGeneralDialog, CPropertyPage)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CGeneralDialog::CGeneralDialog() : CPropertyPage(IDD) {}

void CGeneralDialog::SetBoard(uint16_t cardClass, uint16_t cardNumber) {
  m_cardClass = cardClass;
  m_cardNumber = cardNumber;
}

void CGeneralDialog::GetBoard(uint16_t& cardClass, uint16_t& cardNumber, uint16_t& cardType) const {
  cardClass = m_cardClass;
  cardNumber = m_cardNumber;
  cardType = (m_cardClass == 1 && m_cardNumber < kGeneralBoardCount) ? m_boardTypes[m_cardNumber] : 0;
}

void CGeneralDialog::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_CBString(pDX, kGeneralBoardCombo, m_board);
  DDX_Text(pDX, kGeneralInsFile, m_insFile);
  DDX_Text(pDX, kGeneralExeFile, m_exeFile);
  if (pDX->m_bSaveAndValidate) BoardFromText();
}

BOOL CGeneralDialog::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  std::vector<BoardListEntry> boards;
  if (ReadInstalledBoards(boards) == KalvInfoState::kMissing) {
    MessageBox(nullptr, "could not find kalvinfo.dll - unable to determine which boards are installed",
               "MIRT", MB_OK);
    return TRUE;
  }
  CWnd* combo = GetDlgItem(kGeneralBoardCombo);
  for (const BoardListEntry& b : boards) {
    m_boardTypes[b.number] = b.type;
    if (b.text.IsEmpty() || !combo) continue;
    int index = static_cast<int>(
        combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(b.text))));
    if (b.number == m_cardNumber) combo->SendMessage(CB_SETCURSEL, index);
  }
  return TRUE;
}

void CGeneralDialog::OnDestroy() {
  CPropertyPage::OnDestroy();
  UpdateData(TRUE);
}

// A text that is no list entry counts as no board.
void CGeneralDialog::BoardFromText() {
  int number = 0;
  uint16_t cardClass = 0;
  if (!ParseBoardListText(m_board, number, cardClass)) number = 0, cardClass = 0;
  m_cardNumber = static_cast<uint16_t>(number);
  m_cardClass = cardClass;
}
