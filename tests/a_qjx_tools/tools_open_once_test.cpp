#include <string>

#include "../platform/ui/ui_test_support.h"
#include "a_qjx/a_qjx.h"
#include "a_qjx/tool_windows.h"
#include "tests/a_qjx/family_fixture.h"

namespace {

constexpr WORD kTesseraType = 7;  // every tool takes the Mini-TESSERA code
constexpr uint16_t kMiniBoard = 3;

class ToolsOpenOnceTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    ui_test::EnsureApp();
    Select(kTesseraType, kMiniBoard);
  }
};

TEST_F(ToolsOpenOnceTest, EveryToolOpensOnceAndClosesCleanly) {
  struct Tool {
    const char* name;
    HWND (*open)(DWORD);
    ToolWindow tool;
  };
  const Tool tools[] = {
      {"cpu", a_qjx_cpu, ToolWindow::Cpu},
      {"fpga", a_qjx_fpga, ToolWindow::Fpga},
      {"memory", a_qjx_memory, ToolWindow::Memory},
      {"led", a_qjx_led, ToolWindow::Led},
      {"time/date", a_qjx_time_date, ToolWindow::TimeDate},
      {"timer", a_qjx_timer, ToolWindow::Timer},
      {"task", a_qjx_task, ToolWindow::Task},
      {"serial", a_qjx_serial_interface, ToolWindow::Serial},
      {"interrupt", a_qjx_interrupt, ToolWindow::Interrupt},
  };
  for (const Tool& t : tools) {
    HWND window = t.open(kTesseraType);
    ASSERT_TRUE(window) << t.name;
    EXPECT_TRUE(IsWindowVisible(window)) << t.name;
    EXPECT_EQ(t.open(kTesseraType), window) << t.name;
    SendMessage(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window)) << t.name;
    HWND open = nullptr;
    EXPECT_FALSE(IsToolWindowOpen(t.tool, &open)) << t.name;
    EXPECT_TRUE(sim().Channels().All().empty()) << t.name;  // channels it opened are closed
  }
}

}  // namespace
