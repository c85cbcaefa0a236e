#include "a_qjx/serial_config_dialog.h"

#include <vector>

#include "a_qjx/board_type_codes.h"
#include "a_qjx/combo_choices.h"

namespace {

constexpr UINT kSerialConfigTemplate = 150;
constexpr int kSerialConfigBaud = 1055, kSerialConfigDataBits = 1057, kSerialConfigParity = 1056,
              kSerialConfigStopBits = 1058;

// The lists of a board type and the entry chosen when a stored baud code
// matches none of them.
struct SerialChoices {
  std::vector<ComboChoice> baud, dataBits, parity, stopBits;
  const char* fallbackBaud;
};

// Baud codes are the line-control bits of the channel: 32 per step up to
// 9600, then 256 and 512. Data bits 2 = 7, 3 = 8; stop bits 4 = 2;
// parity 8 odd, 24 even.
const SerialChoices kSerialChoicesQj{{{"110", 0},
                                      {"150", 32},
                                      {"300", 64},
                                      {"600", 96},
                                      {"1200", 128},
                                      {"2400", 160},
                                      {"4800", 192},
                                      {"9600", 224},
                                      {"19200", 256},
                                      {"38400", 512}},
                                     {{"7", 2}, {"8", 3}},
                                     {{"No", 0}, {"Odd", 8}, {"Even", 24}},
                                     {{"1", 0}, {"2", 4}},
                                     "9600"};
// Kora-DESK/2: the baud code is the divider index; the frame is fixed.
const SerialChoices kSerialChoicesDesk{
    {{"38400", 0}, {"19200", 1}, {"9600", 2}, {"153600", 3}}, {{"8", 0}}, {{"No", 0}}, {{"1", 0}}, "9600"};

}  // namespace

CSerialConfigDialog::CSerialConfigDialog(CBoardFamily& family, WORD channel, CWnd* parent)
    : CDialog(kSerialConfigTemplate, parent), family_(family), channel_(channel) {}

BOOL CSerialConfigDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  const SerialChoices& lists = family_.typeCode == kTypeKoraDesk2 ? kSerialChoicesDesk : kSerialChoicesQj;
  const WORD* codes[4];
  for (int s = 0; s < 4; ++s) codes[s] = &family_.serialSetting[s][channel_];
  FillComboChoices(this, kSerialConfigBaud, lists.baud, *codes[0], lists.fallbackBaud);
  FillComboChoices(this, kSerialConfigDataBits, lists.dataBits, *codes[1], "8");
  FillComboChoices(this, kSerialConfigStopBits, lists.stopBits, *codes[2], "1");
  FillComboChoices(this, kSerialConfigParity, lists.parity, *codes[3], "No");
  return TRUE;
}

void CSerialConfigDialog::OnOK() {
  WORD* settings[4];
  for (int s = 0; s < 4; ++s) settings[s] = &family_.serialSetting[s][channel_];
  *settings[0] = WORD(ChosenComboCode(this, kSerialConfigBaud, *settings[0], &baudIndex_));
  *settings[1] = WORD(ChosenComboCode(this, kSerialConfigDataBits, *settings[1], &dataBitsIndex_));
  *settings[2] = WORD(ChosenComboCode(this, kSerialConfigStopBits, *settings[2], &stopBitsIndex_));
  *settings[3] = WORD(ChosenComboCode(this, kSerialConfigParity, *settings[3], &parityIndex_));
  EndDialog(IDOK);
}
