#include "a_qjx/ins_editor_style.h"

#include "platform/ui/scintilla.h"

namespace {

constexpr int kInsStyleBits = 9;
constexpr int kInsCaretPeriodMs = 500;
constexpr int kInsFontPoints = 10;
constexpr COLORREF kInsWhite = 0xFFFFFF, kInsBlack = 0x000000;
constexpr const char* kInsFont = "Courier";

constexpr const char* kInsCommandWords =
    "ZORRESET ZORCONNECTCPU ZORLOADVANTOR ZORINST ZORPROC ZORFUNC ZORPAR ZORLOADMDD PELIXCONNECTCHANNELS "
    "ZORFLASHFILE Q2DEVICE Q2INST Q2PAR Q2PROC Q2FUNC Q2CMD Q2LOADMODUL Q6DEVICE Q6INST Q6PAR Q6PROC Q6FUNC "
    "Q6CMD Q6LOADMODUL Q7DEVICE Q7INST Q7PAR Q7PROC Q7FUNC Q7CMD Q7LOADMODUL Q8DEVICE Q8INST Q8PAR Q8PROC "
    "Q8FUNC Q8CMD Q8LOADMODUL";
constexpr const char* kInsParameterWords =
    "board slot layer vantor file no usage task tasktype irq level flags datasize autoinit activate proc "
    "func "
    "start progno para name count index TIMEOUT RESET";
constexpr const char* kInsConstantWords = "ZOR_NI_TASK ZOR_II_TASK ZOR_TI_TASK ZOR_DI_TASK";

// Legend: style number, foreground colour (0x00BBGGRR), whether it takes the
// font and size; every style has a white background.
struct InsStyle {
  int style;
  COLORREF fore;
  bool font;
};
constexpr InsStyle kInsStyles[] = {
    {32, kInsBlack, true}, {0, kInsBlack, true},  {8, kInsBlack, true},
    {1, 0xFF0A0A, false},  {2, 0x787878, false},  {3, 0x008000, false},
    {4, 0x0000FF, false},  {5, kInsBlack, false}, {9, 0xFF00FF, false},
};

std::vector<InsEditorSetting> MakeInsEditorSettings() {
  std::vector<InsEditorSetting> s = {
      {SCI_SETLEXER, kInstallFileLexer, 0},
      {SCI_SETSTYLEBITS, kInsStyleBits, 0},
      {SCI_SETCARETPERIOD, kInsCaretPeriodMs, 0},
      {SCI_SETKEYWORDS, 0, LPARAM(kInsCommandWords)},
      {SCI_SETKEYWORDS, 1, LPARAM(kInsParameterWords)},
      {SCI_SETKEYWORDS, 2, LPARAM(kInsConstantWords)},
  };
  for (const InsStyle& st : kInsStyles) {
    s.push_back({SCI_STYLESETFORE, WPARAM(st.style), LPARAM(st.fore)});
    s.push_back({SCI_STYLESETBACK, WPARAM(st.style), LPARAM(kInsWhite)});
    if (st.font) {
      s.push_back({SCI_STYLESETFONT, WPARAM(st.style), LPARAM(kInsFont)});
      s.push_back({SCI_STYLESETSIZE, WPARAM(st.style), kInsFontPoints});
    }
  }
  return s;
}

}  // namespace

const std::vector<InsEditorSetting>& InsEditorSettings() {
  static const std::vector<InsEditorSetting> settings = MakeInsEditorSettings();
  return settings;
}
