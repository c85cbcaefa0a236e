#include "debugger/ui/io_port_dialog.h"

#include "app/core/number_text.h"
#include "debugger/kalven_board.h"

BEGIN_MESSAGE_MAP(CIOPortDialog, CDialog)
ON_COMMAND(CIOPortDialog::kWrite, OnWrite)
ON_COMMAND(CIOPortDialog::kRead, OnRead)
END_MESSAGE_MAP()

CIOPortDialog::CIOPortDialog(CKalvenBoard* board, CWnd* parent)
    : CDialog(kTemplate, parent), m_board(board) {}

BOOL CIOPortDialog::OnInitDialog() {
  m_addressCombo.SubclassDlgItem(kAddress, this);
  m_valueCombo.SubclassDlgItem(kValue, this);
  m_width = kByte;
  CDialog::OnInitDialog();  // shows the data
  return TRUE;
}

void CIOPortDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_CBString(pDX, kAddress, m_addressText);
  DDX_CBString(pDX, kValue, m_valueText);
  DDX_Radio(pDX, kByteWidth, m_width);
}

CString CIOPortDialog::ValueText(WORD value) {
  CString text;
  text.Format("%d (%04xh)", value, value);
  return text;
}

void CIOPortDialog::RememberTexts() {
  m_addressCombo.AddIfNew(m_addressText);
  m_valueCombo.AddIfNew(m_valueText);
}

void CIOPortDialog::OnWrite() {
  UpdateData(TRUE);
  const WORD port = WORD(ParseNumberText(m_addressText));
  const DWORD value = ParseNumberText(m_valueText);
  if (!m_board) return;
  if (m_width == kWord)
    m_board->Out16(port, WORD(value));
  else
    m_board->Out8(port, BYTE(value));
  RememberTexts();
}

void CIOPortDialog::OnRead() {
  UpdateData(TRUE);
  const WORD port = WORD(ParseNumberText(m_addressText));
  if (!m_board) return;
  const WORD value = m_width == kWord ? m_board->In16(port) : m_board->In8(port);
  m_valueText = ValueText(value);
  RememberTexts();
  UpdateData(FALSE);
}
