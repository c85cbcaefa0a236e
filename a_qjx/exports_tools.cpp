// The modeless tool exports: each chooses the board family by type code,
// prepares the family object and opens its tool once.
#include "a_qjx/a_qjx.h"
#include "a_qjx/board_family.h"
#include "a_qjx/board_tools_app.h"
#include "a_qjx/board_type_codes.h"
#include "a_qjx/tool_windows.h"
#include "ytn1/prompt.h"

namespace {

// Accepted codes, by the family index of TitleIndex.
constexpr unsigned kDesk2 = 1, kLine = 2, kTessera7 = 4, kTessera8 = 8;
constexpr unsigned kAllQj = kDesk2 | kLine | kTessera7 | kTessera8;

struct ToolEntry {
  ToolWindow tool;
  unsigned accepted;
  const char* titles[3];  // Kora-DESK/2, Kora-LINE, TESSERA
  void (CBoardFamily::*prepare)();
  void (CBoardFamily::*release)();  // undoes prepare when the tool does not open
  bool wrongParameterBox;
};

unsigned CodeBit(WORD code) {
  switch (code) {
    case kTypeKoraDesk2:
      return kDesk2;
    case kTypeKoraLine:
      return kLine;
    case kTypeMiniTessera:
      return kTessera7;
    case kTypeTessera:
      return kTessera8;
    default:
      return 0;
  }
}

int TitleIndex(WORD code) { return code == kTypeKoraDesk2 ? 0 : code == kTypeKoraLine ? 1 : 2; }

HWND OpenTool(const ToolEntry& entry, DWORD type) {
  LibraryScope scope;
  HWND window = nullptr;
  if (IsToolWindowOpen(entry.tool, &window)) return window;
  const WORD code = WORD(type);
  if (!(CodeBit(code) & entry.accepted)) {
    if (entry.wrongParameterBox) ytn1::ShowMessage("Wrong parameter", "A_QJX", MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
  }
  const char* title = entry.titles[TitleIndex(code)];
  CBoardFamily* family = FamilyForType(code);
  family->typeCode = code;
  g_currentFamily = family;
  if (entry.prepare) {
    (family->*entry.prepare)();
    if (family->CheckDriverError() == 1) {
      // Whatever the preparation opened is closed again.
      if (entry.release) (family->*entry.release)();
      return nullptr;
    }
  }
  ToolDialogFactory factory = GetToolDialogFactory(entry.tool);
  window = factory ? factory(title) : nullptr;
  if (!window) {
    if (entry.release) (family->*entry.release)();
    return nullptr;
  }
  ToolWindowOpened(entry.tool, window);
  return window;
}

const ToolEntry kCpu{
    ToolWindow::Cpu,
    kAllQj,
    {"Kora-DESK/2 - CPU information", "Kora-LINE - CPU information", "TESSERA-4/486 - CPU information"},
    &CBoardFamily::GetCpuText,
    nullptr,
    false};
const ToolEntry kFpga{
    ToolWindow::Fpga,
    kDesk2 | kLine | kTessera7,
    {"Kora-DESK/2 FPGA information", "Kora-LINE FPGA information", "TESSERA-4/486 FPGA information"},
    &CBoardFamily::GetFpgaText,
    nullptr,
    false};
const ToolEntry kMemory{ToolWindow::Memory,
                        kAllQj,
                        {"Kora-DESK/2 - Memory informations", "Kora-LINE - Memory informations",
                         "TESSERA-4/486 - Memory informations"},
                        nullptr,
                        nullptr,
                        false};
const ToolEntry kTask{
    ToolWindow::Task,
    kAllQj,
    {"Kora-DESK/2 - Task informations", "Kora-LINE - Task informations", "TESSERA-4/486 - Task informations"},
    nullptr,
    nullptr,
    true};
const ToolEntry kLed{ToolWindow::Led,
                     kAllQj,
                     {"Kora-DESK/2 - LED", "Kora-LINE - LED", "TESSERA-4/486 - LED"},
                     &CBoardFamily::OpenLedChannel,
                     &CBoardFamily::CloseLedChannel,
                     false};
const ToolEntry kTimeDate{
    ToolWindow::TimeDate,
    kAllQj,
    {"Kora-DESK/2 - Time / Date", "Kora-LINE - Time / Date", "TESSERA-4/486 - Time / Date"},
    &CBoardFamily::OpenClockChannel,
    &CBoardFamily::CloseClockChannel,
    false};
const ToolEntry kTimer{ToolWindow::Timer,
                       kAllQj,
                       {"Kora-DESK/2 - Timer", "Kora-LINE - Timer", "TESSERA-4/486 - Timer"},
                       &CBoardFamily::OpenTimerChannel,
                       &CBoardFamily::CloseTimerChannel,
                       false};
const ToolEntry kSerial{
    ToolWindow::Serial,
    kAllQj,
    {"Kora-DESK/2 - Serial Interfaces", "Kora-LINE - Serial Interfaces", "TESSERA-4/486 - Serial Interfaces"},
    nullptr,
    nullptr,
    false};
const ToolEntry kInterrupt{
    ToolWindow::Interrupt,
    kLine | kTessera7 | kTessera8,
    {nullptr, "Kora-LINE - Interrupt informations", "TESSERA-4/486 - Interrupt informations"},
    nullptr,
    nullptr,
    false};

}  // namespace

extern "C" {

HWND WINAPI a_qjx_cpu(DWORD type) { return OpenTool(kCpu, type); }
HWND WINAPI a_qjx_fpga(DWORD type) { return OpenTool(kFpga, type); }
HWND WINAPI a_qjx_memory(DWORD type) { return OpenTool(kMemory, type); }
HWND WINAPI a_qjx_task(DWORD type) { return OpenTool(kTask, type); }
HWND WINAPI a_qjx_led(DWORD type) { return OpenTool(kLed, type); }
HWND WINAPI a_qjx_time_date(DWORD type) { return OpenTool(kTimeDate, type); }
HWND WINAPI a_qjx_timer(DWORD type) { return OpenTool(kTimer, type); }
HWND WINAPI a_qjx_serial_interface(DWORD type) { return OpenTool(kSerial, type); }
HWND WINAPI a_qjx_interrupt(DWORD type) { return OpenTool(kInterrupt, type); }

}  // extern "C"
