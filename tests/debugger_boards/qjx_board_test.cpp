#include "debugger/driver_binding.h"
#include "debugger/kalven_board_qjx.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/registry.h"
#include "tests/debugger_boards/board_fixture.h"

namespace {

using Strings = std::vector<std::string>;

TEST_F(BoardTest, QjTypeCodeSelectsTheGenerationsStartCall) {
  struct Case {
    WORD board, type;
    const char* start;
  } cases[] = {{1, 2, "qj2_start"}, {2, 6, "qj6_start"}, {3, 7, "qj7_start"}, {0, 8, "qj8_start"}};
  for (const Case& c : cases) {
    Sim().Trace().Clear();
    CKalvenBoardQJx board(c.board, &project);
    EXPECT_EQ(board.typeCode, c.type);
    EXPECT_EQ(board.Open(RecordMessage), 0);
    std::string names = Sim().Trace().Names();
    EXPECT_NE(names.find(c.start), std::string::npos) << names;
    for (const char* other : {"qj2_start", "qj6_start", "qj7_start", "qj8_start"})
      if (std::string(other) != c.start) EXPECT_EQ(names.find(other), std::string::npos) << names;
    EXPECT_EQ(Calls(c.start), Strings{std::to_string(c.board) + ", ptr, 80"});
  }
}

TEST_F(BoardTest, MissingQjLibraryIsReportedAndGivesUp) {
  SetDriverLibraryName(DriverLibrary::Rizo, "no-rizo32.dll");
  CKalvenBoardQJx board(0, &project);
  EXPECT_EQ(board.typeCode, 0);
  EXPECT_EQ(board.Open(RecordMessage), kBoardLibraryMissing);
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "MIRT");
  EXPECT_EQ(boxes[0].text, "Could not find rizo32.dll.");
  EXPECT_TRUE(Sim().Trace().Entries().empty());
}

TEST_F(BoardTest, QjKernelThroughTheDriver) {
  CKalvenBoardQJx board(0, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  EXPECT_FALSE(board.IsKernelPresent(10, 0));
  Sim().Trace().Clear();
  EXPECT_EQ(board.LoadDebugKernel(0, 19200, 0, 10, KernelDir().c_str()), 0);
  Strings installs = Calls("qj8_transfer_and_install");
  ASSERT_EQ(installs.size(), 1u);
  EXPECT_EQ(installs[0], "\"" + KernelDir() + "KERNLQJX.EXE\", 0, 10, 65280, 1, 4480, 0");  // mode 0x1180
  EXPECT_EQ(Calls("qj8_write_par_word"), Strings{"10, 13551, 12"});
  EXPECT_EQ(Calls("qj8_call_proc"), Strings{"10, 2"});
  EXPECT_TRUE(board.IsKernelPresent(10, 0));
  EXPECT_STREQ(board.GetKernelFileName(), "KERNLQJX.EXE");
}

TEST_F(BoardTest, QjRemoteKernelOverASerialLine) {
  CKalvenBoardQJx board(0, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  EXPECT_FALSE(board.IsKernelPresent(10, 1));
  SimBoard(0).eeprom[0].resize(32);
  SimBoard(0).eeprom[0][24] = 0x0700;
  EXPECT_EQ(board.LoadDebugKernel(1, 38400, 3, 10, KernelDir().c_str()), 0);
  EXPECT_TRUE(board.IsKernelPresent(10, 1));
  EXPECT_EQ(SimBoard(0).tasks[255].program, 0xFF00);
  EXPECT_EQ(SimBoard(0).tasks[254].program, 0xFF01);
  EXPECT_EQ(SimBoard(0).tasks[254].params.Get8(4), 3);
  EXPECT_EQ(SimBoard(0).tasks[254].params.Get32(5), 38400u);
  EXPECT_EQ(SimBoard(0).tasks[254].params.Get8(0x0B), 1);
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
}

TEST_F(BoardTest, QjRemoteKernelTakesOnlyTheCrystalsItSupports) {
  constexpr WORD kEepromCrystalWord = 24;
  struct {
    WORD crystal;  // the board's EEPROM word, high byte the crystal code
    bool supported;
    BYTE written;  // parameter 0x0B of the communication task
  } cases[] = {
      {0x0400, true, 0},
      {0x0712, true, 1},
      {0x0500, false, 0},
      {0x0000, false, 0},
  };
  for (auto& c : cases) {
    plat::ClearMessageBoxRecords();
    CKalvenBoardQJx board(0, &project);
    ASSERT_EQ(board.Open(RecordMessage), 0);
    SimBoard(0).eeprom[0].assign(32, 0);
    SimBoard(0).eeprom[0][kEepromCrystalWord] = c.crystal;
    WORD result = board.LoadDebugKernel(1, 38400, 3, 10, KernelDir().c_str());
    if (c.supported) {
      EXPECT_EQ(result, 0) << c.crystal;
      EXPECT_EQ(SimBoard(0).tasks[254].params.Get8(0x0B), c.written) << c.crystal;
      EXPECT_TRUE(plat::MessageBoxRecords().empty()) << c.crystal;
      continue;
    }
    EXPECT_NE(result, 0) << c.crystal;
    auto boxes = plat::MessageBoxRecords();
    ASSERT_EQ(boxes.size(), 1u) << c.crystal;
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text, "quarz frequency not supported by debug kernel");
  }
}

TEST_F(BoardTest, QjMemoryPortsAndParameters) {
  CKalvenBoardQJx board(0, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  const BYTE bytes[] = {1, 2, 3, 4};
  EXPECT_EQ(board.WriteMemory(0x12340, 4, bytes), 1);
  BYTE back[4] = {};
  EXPECT_EQ(board.ReadMemory(0x12340, 4, back), 1);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(back), 4),
            std::string(reinterpret_cast<const char*>(bytes), 4));
  board.Out8(0x80, 0x5A);
  EXPECT_EQ(board.In8(0x80), 0x5A);
  board.Out16(0x82, 0x1234);
  EXPECT_EQ(board.In16(0x82), 0x1234);
}

TEST_F(BoardTest, KoraDeskMemoryGoesThroughTheRamPointer) {
  CKalvenBoardQJx board(1, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  Sim().Trace().Clear();
  BYTE buf[8];
  board.ReadMemory(0x2000, 8, buf);
  EXPECT_EQ(Sim().Trace().Names(), "qj8_set_ram_pointer qj8_read_ram");
}

TEST_F(BoardTest, QjServiceRequestsReachTheCallback) {
  CKalvenBoardQJx board(0, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  Sim().RaiseServiceRequest(0, 0x80CF);
  EXPECT_EQ(Messages(), std::vector<WORD>{0x80CF});
}

TEST_F(BoardTest, QjResetAsksForTheVantorFileOnlyWhenTheRegistryHasNone) {
  CKalvenBoardQJx board(0, &project);
  RegDeleteKey(HKEY_CURRENT_USER, "Software\\KALVEN\\YTN32\\QJ8");
  plat::PushMessageBoxAnswer(IDNO);
  EXPECT_EQ(board.ResetAndLoadOS(RecordMessage), 1);
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Could not find Vantor name in registry.\nDo You want to search for it?");
  EXPECT_EQ(Calls("qj8_reset"), Strings{"0, ptr, null, 80"});

  plat::ClearMessageBoxRecords();
  Sim().Trace().Clear();
  plat::PushMessageBoxAnswer(IDYES);  // the file dialog is cancelled
  EXPECT_EQ(board.ResetAndLoadOS(RecordMessage), 0);
  EXPECT_TRUE(Calls("qj8_reset").empty());

  HKEY key;
  RegCreateKey(HKEY_CURRENT_USER, "Software\\KALVEN\\YTN32\\QJ8", &key);
  RegSetValueEx(key, "vantor", 0, REG_SZ, reinterpret_cast<const BYTE*>("ROM"), 4);
  RegCloseKey(key);
  plat::ClearMessageBoxRecords();
  Sim().Trace().Clear();
  EXPECT_EQ(board.ResetAndLoadOS(RecordMessage), 1);
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
  EXPECT_EQ(Calls("qj8_reset"), Strings{"0, ptr, \"ROM\", 80"});

  Sim().Faults().Add({"qj8_reset", 1, 3});
  EXPECT_EQ(board.ResetAndLoadOS(RecordMessage), 0);
  ASSERT_FALSE(plat::MessageBoxRecords().empty());
  EXPECT_EQ(plat::MessageBoxRecords().back().text, "Could not reset card\n");
}

TEST_F(BoardTest, MinedBytesInsideTheReadAreRestored) {
  CKalvenBoardQJx board(0, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  BYTE fill[32];
  for (int i = 0; i < 32; ++i) fill[i] = 0xCC;
  board.WriteMemory(0x1000, 32, fill);
  board.minedList.AddTail(CMinedAddr{0x1004, 0x55});
  board.minedList.AddTail(CMinedAddr{0x1010, 0x66});
  BYTE buf[16];
  board.ReadMemory(0x1000, 16, buf);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(buf[i], i == 4 ? 0x55 : 0xCC) << i;
}

}  // namespace

namespace {

TEST_F(BoardTest, QjKernelFunctionCallsPassTheirStatus) {
  CKalvenBoardQJx board(0, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  ASSERT_EQ(board.LoadDebugKernel(0, 0, 0, 10, KernelDir().c_str()), 0);
  SimBoard(0).memory.Write8(0x21234, 0x55);
  BYTE request[8] = {0x34, 0x12, 0x02, 0x00, 12, 0, 0x40, 0};  // linear 0x21234, context 12, kind 0x40
  WORD length = 8, answer = 0;
  EXPECT_EQ(board.CallFunc(10, 3, &length, request, &answer, 0), 0);
  EXPECT_EQ(SimBoard(0).memory.Read8(0x21234), 0xCC);
  length = 8;
  EXPECT_EQ(board.CallFunc(77, 3, &length, request, &answer, 0), 0x18);  // no such task
}

}  // namespace
