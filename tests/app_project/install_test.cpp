// Install and the debug-kernel installation on the simulated boards, with
// the board tools library loaded by name as the IDE loads it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/project_data.h"
#include "app/install_commands.h"
#include "debugger/driver_binding.h"
#include "debugger/kalven_board.h"
#include "debugger/kalven_board_qjx.h"
#include "drivers/sim/simulator.h"
#include "platform/sys/msgbox.h"
#include "tests/support/test_support.h"

namespace {

class InstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::Simulator::Instance().Configure();
    plat::ClearMessageBoxRecords();
    SetDriverLibraryName(DriverLibrary::Rizo, "rizo32.dll");
    SetDriverLibraryName(DriverLibrary::Dovi, "dovi32.dll");
    dir = mirt_test::MakeTempDir("install");
    project.Clear();
    project.SetProjectDir(dir.c_str());
    project.SetInsFile("demo.ins");
    project.SetCardClass(kCardClassQJ);
    project.SetCardNumber(kTessera);
    mirt_test::WriteFile(dir + "/demo.ins", "Q8DEVICE 0\r\nQ8PROC 0 0\r\n");
  }
  void TearDown() override {
    SetDriverLibraryName(DriverLibrary::Rizo, "rizo32.dll");
    delete g_pBoard;
    g_pBoard = nullptr;
  }
  CInstaller Installer() {
    return CInstaller(project, [this](const char* text) { debugPane.push_back(text); });
  }
  static size_t Calls(const char* name) { return sim::Simulator::Instance().Trace().Of(name).size(); }

  // The simulator's default rack: board 0 is a TESSERA-4/486.
  static constexpr WORD kTessera = 0;
  std::string dir;
  ProjectData project;
  std::vector<std::string> debugPane;
};

TEST_F(InstallTest, InstallRunsTheProjectsFileOnTheBoard) {
  Installer().Install();
  EXPECT_EQ(debugPane,
            (std::vector<std::string>{"executing installation file...", "installation was succesful"}));
  EXPECT_EQ(Calls("qj8_call_proc"), 1u);
  EXPECT_EQ(g_pBoard, nullptr);
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
}

TEST_F(InstallTest, AFailingInstallationIsSummarised) {
  mirt_test::WriteFile(dir + "/demo.ins", "Q8PROC\r\n");
  Installer().Install();
  ASSERT_EQ(debugPane.size(), 2u);
  EXPECT_EQ(debugPane[1], "installation failed");
}

TEST_F(InstallTest, UnknownCardClassMakesNoBoard) {
  project.SetCardClass(0);
  Installer().Install();
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Board type not specified");
  EXPECT_EQ(boxes[0].caption, "MIRT");
  EXPECT_TRUE(debugPane.empty());
  EXPECT_EQ(g_pBoard, nullptr);
}

// A board whose driver is missing answers 519: Install gives up quietly
// (the board class itself says which driver it missed).
TEST_F(InstallTest, BoardThatAnswers519EndsInstallWithoutInstalling) {
  SetDriverLibraryName(DriverLibrary::Rizo, "missing-driver.dll");
  Installer().Install();
  EXPECT_TRUE(debugPane.empty());
  EXPECT_EQ(Calls("qj8_call_proc"), 0u);
  EXPECT_EQ(g_pBoard, nullptr);
}

TEST_F(InstallTest, DebugKernelNeedsABoardAndReportsItsResult) {
  EXPECT_NE(Installer().InstallDebugKernel(), 0);
  EXPECT_EQ(debugPane.back(), "error installing debug kernel");
  debugPane.clear();
  g_pBoard = new CKalvenBoardQJx(kTessera, &project);
  project.SetKernelDir("");
  WORD result = Installer().InstallDebugKernel();
  EXPECT_EQ(debugPane.front(), "Installing debug kernel...");
  // An empty kernel folder means the installation's own kernels.
  EXPECT_EQ(result, 0);
  EXPECT_EQ(debugPane.back(), "debug kernel succesfully installed");
}

}  // namespace
