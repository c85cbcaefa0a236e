#include "a_qjx/serial_config_dialog.h"

#include <string_view>
#include <vector>

#include "a_qjx/board_type_codes.h"

namespace {

constexpr UINT kSerialConfigTemplate = 150;
constexpr int kSerialConfigBaud = 1055, kSerialConfigDataBits = 1057, kSerialConfigParity = 1056,
              kSerialConfigStopBits = 1058;

// One entry of a list: its text and the setting code it stands for.
struct SerialChoice {
  const char* text;
  WORD code;
};
// The lists of a board type and the entry chosen when a stored baud code
// matches none of them.
struct SerialChoices {
  std::vector<SerialChoice> baud, dataBits, parity, stopBits;
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

// Fills a list; selects the entry whose code is `code`, else the one
// named `fallback` (or the first).
void FillSerialList(CWnd* dialog, int id, const std::vector<SerialChoice>& choices, WORD code,
                    const char* fallback) {
  LRESULT chosen = -1, spare = 0;
  for (const SerialChoice& choice : choices) {
    const LRESULT at = dialog->SendDlgItemMessage(id, CB_ADDSTRING, 0, LPARAM(choice.text));
    dialog->SendDlgItemMessage(id, CB_SETITEMDATA, WPARAM(at), choice.code);
    if (choice.code == code && chosen < 0) chosen = at;
    if (fallback && std::string_view(choice.text) == fallback) spare = at;
  }
  dialog->SendDlgItemMessage(id, CB_SETCURSEL, WPARAM(chosen >= 0 ? chosen : spare), 0);
}

// The code of the chosen entry, or `kept` when none is chosen.
WORD ChosenSerialCode(CWnd* dialog, int id, int* index, WORD kept) {
  *index = int(dialog->SendDlgItemMessage(id, CB_GETCURSEL, 0, 0));
  if (*index < 0) return kept;
  return WORD(dialog->SendDlgItemMessage(id, CB_GETITEMDATA, WPARAM(*index), 0));
}

}  // namespace

CSerialConfigDialog::CSerialConfigDialog(CBoardFamily& family, WORD channel, CWnd* parent)
    : CDialog(kSerialConfigTemplate, parent), family_(family), channel_(channel) {}

BOOL CSerialConfigDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  const SerialChoices& lists = family_.typeCode == kTypeKoraDesk2 ? kSerialChoicesDesk : kSerialChoicesQj;
  const WORD* codes[4];
  for (int s = 0; s < 4; ++s) codes[s] = &family_.serialSetting[s][channel_];
  FillSerialList(this, kSerialConfigBaud, lists.baud, *codes[0], lists.fallbackBaud);
  FillSerialList(this, kSerialConfigDataBits, lists.dataBits, *codes[1], "8");
  FillSerialList(this, kSerialConfigStopBits, lists.stopBits, *codes[2], "1");
  FillSerialList(this, kSerialConfigParity, lists.parity, *codes[3], "No");
  return TRUE;
}

void CSerialConfigDialog::OnOK() {
  WORD* settings[4];
  for (int s = 0; s < 4; ++s) settings[s] = &family_.serialSetting[s][channel_];
  *settings[0] = ChosenSerialCode(this, kSerialConfigBaud, &baudIndex_, *settings[0]);
  *settings[1] = ChosenSerialCode(this, kSerialConfigDataBits, &dataBitsIndex_, *settings[1]);
  *settings[2] = ChosenSerialCode(this, kSerialConfigStopBits, &stopBitsIndex_, *settings[2]);
  *settings[3] = ChosenSerialCode(this, kSerialConfigParity, &parityIndex_, *settings[3]);
  EndDialog(IDOK);
}
