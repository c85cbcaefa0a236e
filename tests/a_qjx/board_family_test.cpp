#include <cstring>
#include <vector>

#include "drivers/rizo32/rizo32.h"
#include "tests/a_qjx/family_fixture.h"
#include "tests/support/test_support.h"
#include "ytn1/settings_state.h"
#include "ytn1/ytn1.h"

namespace {

TEST_F(FamilyTest, CheckDriverErrorShowsAFailedCallUnderTheFamilyTitle) {
  struct Case {
    WORD type;
    uint16_t served;
    const char* title;
  };
  const Case cases[] = {
      {2, 1, "Error Handler - Kora-DESK/2 (A_QJX.DLL)"},
      {6, 2, "Error Handler - Kora-LINE (A_QJX.DLL)"},
      {7, 3, "Error Handler - TESSERA-4/486 (A_QJX.DLL)"},
      {8, 0, "Error Handler - TESSERA-4/486 (A_QJX.DLL)"},
      {16, 0, "Error Handler - (A_QJX.DLL)"},
  };
  for (const Case& c : cases) {
    plat::ClearMessageBoxRecords();
    CBoardFamily& f = Select(c.type, c.served);
    EXPECT_EQ(f.CheckDriverError(), 0);
    // No handler is registered with the driver: the check still sees
    // the failed call.
    sim().Faults().Add({"qj8_read_par_byte", 2, 0x26, 1});
    f.GetCpuText();
    EXPECT_EQ(f.CheckDriverError(), 1) << c.type;
    ASSERT_EQ(plat::MessageBoxRecords().size(), 1u);
    EXPECT_EQ(plat::MessageBoxRecords()[0].caption, c.title);
    EXPECT_EQ(plat::MessageBoxRecords()[0].text, "Parameter #1 is wrong\nError Class: 2h\nError Code: 26h");
    EXPECT_EQ(f.CheckDriverError(), 0);
  }
}

TEST_F(FamilyTest, EnsureBoardRunningStartsTheGenerationOfTheType) {
  struct Case {
    WORD type;
    uint16_t board;
    const char* start;
  };
  const Case cases[] = {{2, 1, "qj2_start"}, {6, 2, "qj6_start"}, {7, 3, "qj7_start"}, {8, 0, "qj8_start"}};
  for (const Case& c : cases) {
    CBoardFamily& f = Select(c.type, c.board);
    f.boardNumber = c.board;
    EXPECT_EQ(f.EnsureBoardRunning(), 0);
    ASSERT_EQ(Args(c.start).size(), 1u) << c.start;
    EXPECT_EQ(Args(c.start)[0], std::to_string(c.board) + ", null, 30");
  }
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(FamilyTest, StoppedBoardIsResetOnlyWhenTheUserAgrees) {
  CBoardFamily& f = Select(8, 0);
  board(0).osRunning = false;
  plat::PushMessageBoxAnswer(IDNO);
  EXPECT_EQ(f.EnsureBoardRunning(), 1);  // not running, and said so
  EXPECT_TRUE(Args("qj8_reset").empty());
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Can't start board no. 0.\nDo you want to reset board?"});

  // Yes: the operating system is searched in the product folder.
  std::string product = mirt_test::MakeTempDir("product");
  mirt_test::WriteFile(product + "/vantor/qj8-120.10r", "os");
  SetYtn32Path(product.c_str());
  plat::PushMessageBoxAnswer(IDYES);
  EXPECT_EQ(f.EnsureBoardRunning(), 0);
  ASSERT_EQ(Args("qj8_reset").size(), 1u);
  EXPECT_EQ(Args("qj8_reset")[0], "0, null, \"" + product + "\\vantor\\qj8-*.??r\", 30");
  EXPECT_TRUE(board(0).osRunning);

  // A reset that fails.
  SetYtn32Path("\\");
  board(0).osRunning = false;
  plat::ClearMessageBoxRecords();
  plat::PushMessageBoxAnswer(IDYES);
  EXPECT_EQ(f.EnsureBoardRunning(), 1);
  EXPECT_EQ(BoxTexts().back(), "Can't reset board no. 0.\nCan't get board information.");
  ytn1::LibraryStartup();
}

TEST_F(FamilyTest, ZorBoardIsResetThroughItsDriver) {
  CBoardFamily& f = Select(16, 4);
  f.boardNumber = 4;
  EXPECT_EQ(f.EnsureBoardRunning(), 0);
  board(4).osRunning = false;
  plat::PushMessageBoxAnswer(IDYES);
  EXPECT_EQ(f.EnsureBoardRunning(), 0);
  EXPECT_EQ(Args("zor_reset_board"), std::vector<std::string>{"4, 30"});
  board(4).osRunning = false;
  plat::PushMessageBoxAnswer(IDNO);
  EXPECT_EQ(f.EnsureBoardRunning(), 1);
}

TEST_F(FamilyTest, CpuAndFpgaTexts) {
  CBoardFamily& desk = Select(2, 1);
  desk.GetCpuText();
  EXPECT_EQ(std::string(desk.cpuType), "V20");
  EXPECT_EQ(std::string(desk.cpuMaker), "NEC");
  EXPECT_EQ(std::string(desk.cpuRevision), "");
  desk.GetFpgaText();
  EXPECT_EQ(std::string(desk.GetFpgaTextCopy()), "IC14: Version 3\r\nIC16: Version 5\r\nIC21: Version 18");

  CBoardFamily& line = Select(6, 2);
  line.GetCpuText();
  EXPECT_EQ(std::string(line.cpuType), "486");
  EXPECT_EQ(std::string(line.cpuClock), "33");
  EXPECT_EQ(std::string(line.cpuMaker), "AMD");
  EXPECT_EQ(std::string(line.coprocessorType), "No");
  EXPECT_EQ(std::string(line.cpuRevision), "3");
  line.GetFpgaText();
  EXPECT_EQ(std::string(line.fpgaText), "IC3: Version 37\r\nIC4: Version 19\r\nIC5: Version 7");

  CBoardFamily& tessera = Select(7, 3);
  tessera.GetFpgaText();
  EXPECT_EQ(std::string(tessera.fpgaText), "IC3: Version 37\r\nIC4: Version 19");
  tessera.typeCode = 8;
  tessera.GetFpgaText();
  EXPECT_TRUE(tessera.fpgaText.IsEmpty());
}

TEST_F(FamilyTest, FreeRamSizeByUserModeAndTypeCheck) {
  CBoardFamily& f = Select(8, 0);
  EXPECT_EQ(f.GetFreeRamSize(), 0);
  EXPECT_EQ(f.viewStart, 0x10000u);
  EXPECT_EQ(f.viewEnd, 0x1000000u);
  EXPECT_EQ(f.freeStart, 0x100000u);
  EXPECT_GT(f.freeEnd, f.freeStart);
  SetUserMode(1);
  f.GetFreeRamSize();
  EXPECT_EQ(f.viewStart, 0u);
  EXPECT_EQ(f.viewEnd, 0xFFFFFFFFu);
  SetUserMode(0);

  sim().SetTypeCheckFails(true);
  sim().Trace().Clear();
  EXPECT_EQ(f.GetFreeRamSize(), -1);
  EXPECT_EQ(f.viewEnd, 0xFFFFFFFFu);
  EXPECT_EQ(sim().Trace().Names(), "qj8_type_check");  // no driver-error check
}

TEST_F(FamilyTest, ReadMemoryInBlocksOfAtMost0xFFFF) {
  CBoardFamily& f = Select(8, 0);
  std::vector<BYTE> buffer(0x20000);
  board(0).memory.Write8(0x40000 + 0x1FFFF, 0xAB);
  f.ReadMemory(0x40000, 0x40000 + 0x1FFFF, buffer.data());
  EXPECT_EQ(Args("qj8_read_ram"), (std::vector<std::string>{"65535, ptr", "65535, ptr", "2, ptr"}));
  EXPECT_EQ(buffer.back(), 0xAB);
  sim().Trace().Clear();
  f.ReadMemory(0, 0xFFFF, buffer.data());
  EXPECT_EQ(Args("qj8_read_ram"), (std::vector<std::string>{"65535, ptr", "1, ptr"}));
  f.viewAddress = 0x40000 + 0x1FFFF - 159;
  f.ReadRamPage();
  EXPECT_EQ(f.pageBuffer[159], 0xAB);
}

TEST_F(FamilyTest, InstallMddOnlyWhenTheTaskIsFree) {
  std::string folder = mirt_test::MakeTempDir("mdd") + "/";
  mirt_test::WriteFile(folder + "QJ8D0000.LIB", "KALVEN-SIM-PROGRAM\r\nrole=mdd\r\nprogram=4FF\r\n");
  CBoardFamily& f = Select(8, 0);
  std::strcpy(f.mddFolder, folder.c_str());
  f.mddTask = 20;
  EXPECT_EQ(f.InstallMdd(), 0);
  EXPECT_EQ(Args("qj8_transfer_and_install"),
            std::vector<std::string>{"\"" + folder + "QJ8D0000.LIB\", 0, 20, 1279, 144, 2050, 0"});
  sim().Trace().Clear();
  EXPECT_EQ(f.InstallMdd(), 0);  // already there: no transfer
  EXPECT_TRUE(Args("qj8_transfer_and_install").empty());

  f.mddTask = 21;  // the driver runs under another task
  EXPECT_EQ(f.InstallMdd(), 1);
  EXPECT_EQ(BoxTexts().back(), "Module Device Driver could not be installed!");
  Install(22, 0x1234, "");
  f.mddTask = 22;  // another program in the way
  EXPECT_EQ(f.InstallMdd(), 1);
  EXPECT_EQ(BoxTexts().back(),
            "Module Device Driver could not be installed!\r\nThere is already a programm "
            "installed under the default tasknumber of the MDD.");
  CBoardFamily& zor = Select(16, 4);
  EXPECT_EQ(zor.InstallMdd(), 1);
  EXPECT_EQ(BoxTexts().back(), "This module is not implemented.");
}

TEST_F(FamilyTest, RemoteKernelInstallParametersAndStart) {
  std::string folder = mirt_test::MakeTempDir("kernel") + "/";
  mirt_test::WriteFile(folder + "QJ8REMOT.EXE",
                       "KALVEN-SIM-PROGRAM\r\nrole=kernel\r\nprogram=FF00\r\nprocedures=4\r\nparams=64\r\n");
  mirt_test::WriteFile(folder + "QJ8REMCO.EXE",
                       "KALVEN-SIM-PROGRAM\r\nrole=comm\r\nprogram=FF01\r\nprocedures=4\r\nparams=64\r\n");
  CBoardFamily& f = Select(8, 0);
  f.kernelFolder = folder.c_str();
  f.kernelFile = "QJ8REMOT.EXE";
  f.commFile = "QJ8REMCO.EXE";
  ASSERT_EQ(f.TransferAndInstall(), 0);
  f.ReadTaskParameters();
  EXPECT_EQ(f.kernelTask, 255);
  EXPECT_EQ(f.commTask, 254);
  EXPECT_EQ(f.kernelFound, 1);
  EXPECT_EQ(f.kernelParDword, 19200u);
  f.kernelPar2 = 8192;
  f.kernelParDword = 38400;
  f.commPar4 = 1;
  f.WriteTaskParameters();
  f.CallKernelProc2();
  f.ReadTaskParameters();
  EXPECT_EQ(f.kernelPar2, 8192);
  EXPECT_EQ(f.kernelParDword, 38400u);
  EXPECT_EQ(f.commPar4, 1);
  EXPECT_EQ(f.kernelPar0, 2);
  EXPECT_EQ(f.commPar0, 2);
  f.CallKernelProc3();
  f.ReadTaskParameters();
  EXPECT_EQ(f.kernelPar0, 0);

  f.kernelFile = "MISSING.EXE";
  EXPECT_EQ(f.TransferAndInstall(), 1);
  EXPECT_EQ(BoxTexts().back(),
            "Kernel error: Program file not found\r\nError Class: 1 hex\r\nError Code: 11 hex");
  f.kernelFile = "QJ8REMOT.EXE";
  f.commFile = "MISSING.EXE";
  EXPECT_EQ(f.TransferAndInstall(), 1);
  EXPECT_EQ(BoxTexts().back(),
            "Interface error: Program file not found\r\nError Class: 1 hex\r\nError Code: 11 hex");
}

TEST_F(FamilyTest, EepromTextsAndWords) {
  CBoardFamily& desk = Select(2, 1);
  desk.GetEepromText();
  std::string text = desk.GetEepromTextCopy().operator LPCTSTR();
  EXPECT_EQ(text.rfind("Base BoardEEPROM Word 00: 0040 hex\n", 0), 0u);
  EXPECT_NE(text.find("EEPROM Word 61: "), std::string::npos);
  EXPECT_EQ(text.find("EEPROM Word 62: "), std::string::npos);

  CBoardFamily& line = Select(6, 2);
  line.GetEepromText();
  text = line.eepromText.operator LPCTSTR();
  EXPECT_EQ(text.rfind("Module Number: 0\nEEPROM Word 00: 0040 hex\n", 0), 0u);
  EXPECT_NE(text.find("Module Number: 3\n"), std::string::npos);
  EXPECT_EQ(text.find("Module Number: 4\n"), std::string::npos);

  line.eepromWordCount[1] = 16;
  line.WriteEepromWord(1, 5, 0x1234);
  line.ReadEepromWords(1);
  EXPECT_EQ(line.eepromWords[5], 0x1234);
  EXPECT_EQ(line.eepromWords[0], 0x41);
}

TEST_F(FamilyTest, SplitStringTrimsAndKeepsSeparators) {
  CStringArray parts;
  EXPECT_EQ(SplitString("  Q8PAR  1\t20  ab ", " \t", &parts), 4);
  EXPECT_EQ(std::string(parts[0]), "Q8PAR");
  EXPECT_EQ(std::string(parts[2]), "20");
  EXPECT_EQ(std::string(parts[3]), "ab");
  EXPECT_EQ(SplitString("a,b", ",", &parts), 3);  // the separator starts the rest
  EXPECT_EQ(std::string(parts[1]), "");
  EXPECT_EQ(SplitString("", " ", &parts), 1);
}

}  // namespace
