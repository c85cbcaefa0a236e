#include <cstring>

#include "debugger/driver_binding.h"
#include "debugger/kalven_board_zor.h"
#include "platform/sys/msgbox.h"
#include "tests/debugger_boards/board_fixture.h"

namespace {

using Strings = std::vector<std::string>;

TEST_F(BoardTest, ZorOpenConnectsToTheCpuModule) {
  g_zorHandle = 77;
  CKalvenBoardZOR board(4, &project);
  EXPECT_EQ(g_zorHandle, 0u);
  EXPECT_EQ(board.Open(RecordMessage), 0);
  EXPECT_NE(g_zorHandle, 0u);
  EXPECT_EQ(Calls("zor_connect_cpu").size(), 1u);
  EXPECT_EQ(board.SelectCard(), 0);
}

TEST_F(BoardTest, ZorWithoutACpuModuleOrLibrary) {
  ASSERT_EQ(Sim().Configure("board 4 type=16 nomodules\n"), "");
  CKalvenBoardZOR board(4, &project);
  EXPECT_EQ(board.Open(RecordMessage), kZorNoCpuModule);
  SetDriverLibraryName(DriverLibrary::Dovi, "no-dovi32.dll");
  EXPECT_EQ(board.Open(RecordMessage), kBoardLibraryMissing);
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "MIRT");
  EXPECT_EQ(boxes[0].text, "Could not find dovi32.dll.");
}

TEST_F(BoardTest, ZorInstalledTaskBitmap) {
  CKalvenBoardZOR board(4, &project);
  std::memset(g_zorInstalledTasks, 0, sizeof g_zorInstalledTasks);
  g_zorInstalledTasks[1] = 0x40;
  EXPECT_TRUE(board.IsTaskInstalled(9));
  EXPECT_FALSE(board.IsTaskInstalled(8));
  EXPECT_FALSE(board.IsTaskInstalled(1));
  ASSERT_EQ(board.Open(RecordMessage), 0);
  Sim().Faults().Add({"zor_get_installed_tasks", 0x01, 0x01});
  board.ReadInstalledTasks();
  for (WORD t = 0; t < 1024; ++t) ASSERT_FALSE(board.IsTaskInstalled(t)) << t;
}

TEST_F(BoardTest, ZorOnlyTaskMissingMeansNotInstalled) {
  CKalvenBoardZOR board(4, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  struct Case {
    uint8_t cls, code;
    bool installed;
  } cases[] = {{0x08, 0xE0, false}, {0x01, 0x01, true}, {0x09, 0x11, true}};
  for (const Case& c : cases) {
    Sim().Faults().Add({"zor_task_info", c.cls, c.code});
    EXPECT_EQ(board.IsProgramInstalled(5, 0), c.installed) << int(c.cls) << " " << int(c.code);
  }
  EXPECT_FALSE(board.IsProgramInstalled(5, 0));  // no fault: the simulator's answer (nothing there)
}

TEST_F(BoardTest, ZorKernelInstallation) {
  CKalvenBoardZOR board(4, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  EXPECT_FALSE(board.IsKernelPresent(10, 0));
  EXPECT_EQ(board.LoadDebugKernel(0, 0, 0, 10, KernelDir().c_str()), 0);
  EXPECT_TRUE(board.IsKernelPresent(10, 0));
  BYTE word[2];
  ASSERT_EQ(board.ReadParBlock(10, 0x30D6, 2, word), 1);
  EXPECT_EQ(word[0] | word[1] << 8, 1);  // serial interface
  ASSERT_EQ(board.ReadParBlock(10, 0x34EF, 2, word), 1);
  EXPECT_EQ(word[0] | word[1] << 8, 12);
  EXPECT_STREQ(board.GetKernelFileName(), "KERNLZOR.EXE");
  EXPECT_EQ(board.InstallTask("x", 1, 2, 3, 4), kZorInstallTaskRefused);
}

TEST_F(BoardTest, ZorInstallFailureStopsTheKernelLoad) {
  CKalvenBoardZOR board(4, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  Sim().Faults().Add({"zor_transfer_and_install", 0x09, 0x11});
  EXPECT_EQ(board.LoadDebugKernel(0, 0, 0, 10, KernelDir().c_str()), 0x0911);
  EXPECT_TRUE(Calls("zor_get_remote_board_parameters").empty());
}

TEST_F(BoardTest, ZorServiceMessagesOnlyFromOurConnection) {
  CKalvenBoardZOR board(4, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  CKalvenBoardZOR::ServiceCallback(g_zorHandle, 0x80CF);
  CKalvenBoardZOR::ServiceCallback(g_zorHandle + 1, 0x81CF);
  EXPECT_EQ(Messages(), std::vector<WORD>{0x80CF});
}

TEST_F(BoardTest, ZorMemoryAndPorts) {
  CKalvenBoardZOR board(4, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  const BYTE bytes[] = {9, 8, 7};
  EXPECT_EQ(board.WriteMemory(0x5000, 3, bytes), 1);
  board.minedList.AddTail(CMinedAddr{0x5001, 0x42});
  BYTE back[3] = {};
  EXPECT_EQ(board.ReadMemory(0x5000, 3, back), 1);
  EXPECT_EQ(back[0], 9);
  EXPECT_EQ(back[1], 0x42);
  EXPECT_EQ(back[2], 7);
  board.Out8(0x90, 0x11);
  EXPECT_EQ(board.In8(0x90), 0x11);
}

}  // namespace
