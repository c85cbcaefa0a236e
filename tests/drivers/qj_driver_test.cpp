#include <cstring>
#include <vector>

#include "drivers/rizo32/rizo32.h"
#include "tests/drivers/sim_fixture.h"
#include "tests/support/test_support.h"

namespace {

int g_callbacks = 0;
void CountCallback() { ++g_callbacks; }

class QjDriverTest : public SimTest {};

TEST_F(QjDriverTest, StartChecksGenerationAndSelectsBoard) {
  struct Case {
    int16_t (*start)(uint16_t, uint16_t, uint16_t, uint16_t, uint16_t, QJ_CALLBACK, uint16_t);
    uint16_t board;
    int16_t expected;
  };
  // Default rack: 0 TESSERA-4/486, 1 Kora-DESK/2, 2 Kora-LINE, 3 Mini-TESSERA, 4 ZOR.
  const Case cases[] = {
      {qj8_start, 0, 0},      {qj2_start, 1, 0},      {qj6_start, 2, 0},      {qj7_start, 3, 0},
      {qj2_start, 0, 0x0222}, {qj8_start, 1, 0x0221}, {qj8_start, 4, 0x0201}, {qj8_start, 42, 0x0201},
  };
  for (const Case& c : cases) {
    sim().Configure();
    EXPECT_EQ(c.start(c.board, 0, 1, 0, 0, nullptr, 0x50), c.expected) << c.board;
    if (c.expected == 0) {
      EXPECT_EQ(sim().Current(), c.board);
    }
  }
}

TEST_F(QjDriverTest, FailingCallLatchesErrorAndCallsHandlerOnce) {
  g_callbacks = 0;
  qj8_set_error_handling(CountCallback);
  sim().Faults().Add({"qj8_call_proc", 2, 0x99, 1});
  EXPECT_EQ(qj8_call_proc(0, 1), 0x0299);
  EXPECT_EQ(g_callbacks, 1);
  uint8_t cls = 0, code = 0;
  qj8_get_error_class_and_code(&cls, &code);
  EXPECT_EQ(cls, 2);
  EXPECT_EQ(code, 0x99);
  qj8_clear_error();
  qj8_get_error_class_and_code(&cls, &code);
  EXPECT_EQ(cls | code, 0);
  // The fault was used up: the next call goes through.
  EXPECT_EQ(qj8_call_proc(0, 1), 0);
  EXPECT_EQ(g_callbacks, 1);
  // The setter hands back the handler it replaces.
  EXPECT_EQ(qj8_set_error_handling(nullptr), &CountCallback);
}

TEST_F(QjDriverTest, BoardThatDoesNotReactFailsEveryCall) {
  board(0).reacting = false;
  EXPECT_EQ(qj8_start(0, 0, 1, 0, 0, nullptr, 30), 0x0012);
  EXPECT_EQ(qj8_read_par_byte(0, 38), 0);
  uint8_t cls, code;
  qj8_get_error_class_and_code(&cls, &code);
  EXPECT_EQ(cls << 8 | code, 0x0012);
  EXPECT_EQ(qj8_reacting(), 0);
}

TEST_F(QjDriverTest, ResetFindsOperatingSystemByPattern) {
  std::string dir = mirt_test::MakeTempDir("vantor");
  mirt_test::WriteFile(dir + "/qj8-120.15r", "os");
  std::string pattern = dir + "\\qj8-*.??r";
  EXPECT_EQ(qj8_reset(0, 0, 1, 0, 0, nullptr, pattern.c_str(), 30), 0);
  EXPECT_EQ(board(0).osName, dir + "/qj8-120.15r");
  std::string missing = dir + "\\qj6-*.??r";
  EXPECT_EQ(qj8_reset(0, 0, 1, 0, 0, nullptr, missing.c_str(), 30), 0x0103);
  EXPECT_EQ(qj8_reset(0, 0, 1, 0, 0, nullptr, nullptr, 30), 0);
  EXPECT_EQ(board(0).osName, "ROM");
}

TEST_F(QjDriverTest, ResetBringsStoppedBoardBackAndClearsTasks) {
  std::string dir = mirt_test::MakeTempDir("prog");
  std::string prog = Descriptor(dir, "USER.EXE", "program=1234\r\n");
  ASSERT_EQ(qj8_transfer_and_install(prog.c_str(), 0, 5, 0x1234, 0, 0x1180, 0), 0);
  board(0).osRunning = false;
  EXPECT_EQ(qj8_start(0, 0, 1, 0, 0, nullptr, 30), 0x0101);
  EXPECT_EQ(qj8_reset(0, 0, 1, 0, 0, nullptr, "ROM", 30), 0);
  EXPECT_EQ(qj8_start(0, 0, 1, 0, 0, nullptr, 30), 0);
  EXPECT_EQ(qj8_get_pgm_installed(5), 0);
}

TEST_F(QjDriverTest, InstalledProgramHasDescriptorsAreasAndProcedures) {
  std::string dir = mirt_test::MakeTempDir("prog");
  std::string prog =
      Descriptor(dir, "KERNLQJX.EXE", "role=kernel\r\nprogram=FF00\r\nprocedures=4\r\nparams=13568\r\n");
  ASSERT_EQ(qj8_transfer_and_install((dir + "\\KERNLQJX.EXE").c_str(), 0, 255, 0xFF00, 134, 0x982, 100), 0);
  EXPECT_EQ(qj8_get_pgm_installed(255), 0xFF00);
  int32_t found = 0;
  EXPECT_EQ(qj8_get_task_number(0xFF00, &found), 255);
  EXPECT_EQ(found, 1);
  uint16_t task = 0, flag = 0;
  qj8_get_int_task(0x4FF, &task, &flag);
  EXPECT_EQ(task, 0xFFFF);

  uint32_t pdt0 = 0, tdt = 0, tdtFlags = 0, dataStart = 0, dataEnd = 0;
  qj8_get_task_info(255, 0, &pdt0);
  EXPECT_EQ(pdt0 >> 16, 4u);  // procedures
  qj8_get_task_info(255, 256, &tdt);
  EXPECT_EQ(tdt >> 16, 255u);  // task number
  qj8_get_task_info(255, 260, &tdtFlags);
  EXPECT_EQ(tdtFlags & 7, 2u);  // a DI task from the installation flags
  qj8_get_task_info(255, 276, &dataStart);
  qj8_get_task_info(255, 280, &dataEnd);
  EXPECT_EQ(dataEnd - dataStart, 100u);

  // The task descriptor in board memory carries the 8.3 name.
  uint32_t descriptor = 0;
  qj8_get_task_info(255, 0x2C, &descriptor);
  char name[13] = {};
  qj8_read_memory(descriptor + 16, 12, name);
  EXPECT_STREQ(name, "KERNLQJX.EXE");

  // Parameter area: words written are read back; the kernel starts and
  // stops with procedures 2 and 3.
  EXPECT_EQ(qj8_write_par_word(255, 0x34EF, 0x1207), 0);
  EXPECT_EQ(qj8_read_par_word(255, 0x34EF), 0x1207);
  EXPECT_EQ(qj8_read_par_byte(255, 0x34EF), 0x07);  // low byte first, as the board reads it
  EXPECT_EQ(qj8_read_par_byte(255, 0x34F0), 0x12);
  EXPECT_EQ(qj8_write_par_word(255, 0x34FF, 1), 0x0227);  // one byte past the area's end
  qj8_clear_error();
  EXPECT_EQ(qj8_call_proc(255, 2), 0);
  EXPECT_EQ(qj8_read_par_byte(255, 0), 2);
  EXPECT_EQ(qj8_call_proc(255, 3), 0);
  EXPECT_EQ(qj8_read_par_byte(255, 0), 0);
  EXPECT_EQ(qj8_call_proc(255, 9), 0x0242);
  EXPECT_EQ(qj8_read_par_byte(255, 20000), 0);  // beyond the area
}

TEST_F(QjDriverTest, DataAreaReadsByOffsetAndByReadPointer) {
  std::string dir = mirt_test::MakeTempDir("prog");
  std::string prog = Descriptor(dir, "DATA.EXE", "program=120\r\nparams=16\r\n");
  ASSERT_EQ(qj8_transfer_and_install(prog.c_str(), 0, 7, 0x120, 0, 0, 8), 0);
  const uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  ASSERT_EQ(qj8_write_data(7, 0, 8, bytes), 0);

  uint8_t out[4] = {};
  EXPECT_EQ(qj8_read_data(7, 2, 3, out), 0);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 4), (std::vector<uint8_t>{3, 4, 5, 0}));
  // Block reads go on from the read pointer until it is reset.
  EXPECT_EQ(qj8_read_data_block(7, 3, out), 0);
  EXPECT_EQ(qj8_read_data_block(7, 3, out), 0);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 3), (std::vector<uint8_t>{4, 5, 6}));
  EXPECT_EQ(qj8_reset_r_pointer(7), 0);
  EXPECT_EQ(qj8_read_data_block(7, 2, out), 0);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 2), (std::vector<uint8_t>{1, 2}));

  // A read that does not fit fails, leaves zeros and moves no pointer.
  std::memset(out, 0xEE, sizeof out);
  EXPECT_EQ(qj8_read_data(7, 6, 4, out), 0x0227);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 4), (std::vector<uint8_t>(4, 0)));
  qj8_clear_error();
  uint8_t seven[7];
  EXPECT_EQ(qj8_read_data_block(7, 7, seven), 0x0227);  // 7 bytes from offset 2 pass the end
  qj8_clear_error();
  EXPECT_EQ(qj8_read_data_block(7, 2, out), 0);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 2), (std::vector<uint8_t>{3, 4}));
}

TEST_F(QjDriverTest, InstallErrors) {
  std::string dir = mirt_test::MakeTempDir("prog");
  std::string empty = mirt_test::WriteFile(dir + "/EMPTY.EXE", "");
  EXPECT_EQ(qj8_transfer_and_install((dir + "/NONE.EXE").c_str(), 0, 5, 1, 0, 0, 0), 0x0111);
  EXPECT_EQ(qj8_transfer_and_install(empty.c_str(), 0, 5, 1, 0, 0, 0), 0x0114);
  std::string big = Descriptor(dir, "BIG.EXE", "params=100\r\n");
  EXPECT_EQ(qj8_transfer_and_install(big.c_str(), 0, 5, 1, 0, 0, 0x7FFFFFFF), 0x0113);
  EXPECT_EQ(qj8_transfer_and_install(big.c_str(), 0, 0, 1, 0, 0, 0), 0x0226);
}

TEST_F(QjDriverTest, RamPointerAdvancesOverReadsAndWrites) {
  const uint8_t bytes[] = {1, 2, 3, 4, 5};
  qj8_set_ram_pointer(0x12345);
  qj8_write_ram(2, bytes);
  qj8_write_ram(3, bytes + 2);
  uint8_t back[5] = {};
  qj8_read_memory(0x12345, 5, back);
  EXPECT_EQ(0, std::memcmp(back, bytes, 5));
  qj8_set_ram_pointer(0x12346);
  uint8_t one = 0, two = 0;
  qj8_read_ram(1, &one);
  qj8_read_ram(1, &two);
  EXPECT_EQ(one, 2);
  EXPECT_EQ(two, 3);
}

TEST_F(QjDriverTest, InterruptControllersAndTestTrigger) {
  // IRR through OCW3 on the command port, IMR on the data port.
  qj8_out8_port(0, 10);
  EXPECT_EQ(qj8_in8_port(0), board(0).irr[0]);
  qj8_out8_port(9, 0x5A);
  EXPECT_EQ(qj8_in8_port(9), 0x5A);

  uint8_t rec104[104] = {}, rec28[28] = {};
  ASSERT_EQ(qj8_parameter_control(4, 1, rec104), 0);
  uint32_t irq;
  std::memcpy(&irq, rec104 + 24, 4);
  EXPECT_EQ(irq, 10u);
  for (int i = 0; i < 3; ++i) {
    qj8_out8_port(85, 0);
    qj8_out8_port(84, 0);
  }
  qj8_out8_port(84, 0);  // not armed: no interrupt
  qj8_parameter_control(6, 1, rec28);
  uint32_t count;
  std::memcpy(&count, rec28 + 12, 4);
  EXPECT_EQ(count, 3u);

  // Kora-DESK/2: high nibble 6 then 4 with the board's IRQ.
  qj8_select_card(1);
  uint8_t irq1 = uint8_t(board(1).irq);
  qj8_out8_port(133, uint8_t(0x60 | irq1));
  qj8_out8_port(133, uint8_t(0x40 | irq1));
  qj8_out8_port(133, uint8_t(0x40 | irq1));
  EXPECT_EQ(board(1).interruptCount, 1u);
}

TEST_F(QjDriverTest, EepromWordsByModule) {
  EXPECT_EQ(qj8_read_eeprom_direct(0, 0), 0x40);
  EXPECT_EQ(qj8_write_eeprom_direct(10, 3, 0xBEEF), 0);
  EXPECT_EQ(qj8_read_eeprom_direct(10, 3), 0xBEEF);
  EXPECT_EQ(qj8_read_eeprom_direct(11, 0), 0xFFFF);  // empty slot
  EXPECT_EQ(qj8_write_eeprom_direct(11, 0, 1), 0x0219);
  EXPECT_EQ(qj8_read_eeprom_copy(0, 24) & 0xFF00, 0x400);  // crystal code
  // Module word counts are in the operating system's parameter words.
  EXPECT_EQ(qj8_read_par_word(0, 100 + 4 * 10), 32);
}

TEST_F(QjDriverTest, MacroAnswerLengthFollowsFormat) {
  struct Case {
    uint8_t format;
    uint16_t count;
    int answer;
    int16_t result;
  };
  const Case cases[] = {
      {0x00, 0, 0, 0}, {0x10, 0, 2, 0}, {0x1D, 0, 4, 0},      {0x50, 0, 5, 0},      {0xD0, 3, 7, 0},
      {0xF0, 3, 4, 0}, {0xDD, 3, 9, 0}, {0xC0, 0, 0, 0x0231}, {0xE0, 0, 0, 0x0231},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> answer(32, 0xEE);
    EXPECT_EQ(qj8_send_macro(0x20, c.format, 0, c.count, nullptr, answer.data()), c.result);
    int written = 0;
    while (written < 32 && answer[written] != 0xEE) ++written;
    EXPECT_EQ(written, c.answer) << std::hex << int(c.format);
  }
}

TEST_F(QjDriverTest, TraceRecordsArgumentsAndResults) {
  sim().Trace().Clear();
  qj8_write_par_byte(0, 38, 9);
  qj8_read_par_byte(0, 38);
  ASSERT_EQ(sim().Trace().Names(), "qj8_write_par_byte qj8_read_par_byte");
  EXPECT_EQ(sim().Trace().Entries()[0].args, "0, 38, 9");
  EXPECT_EQ(sim().Trace().Entries()[1].result, 9);
}

TEST_F(QjDriverTest, ConfigRecordAndTypeCheck) {
  uint8_t rec[80] = {};
  uint32_t size = 80;
  std::memcpy(rec, &size, 4);
  ASSERT_EQ(qj8_get_config(2, rec), 1);
  uint16_t type, address;
  std::memcpy(&type, rec + 12, 2);
  std::memcpy(&address, rec + 16, 2);
  EXPECT_EQ(type, 6);
  EXPECT_EQ(address, 0x320);
  EXPECT_EQ(qj8_get_config(4, rec), 0);  // a ZOR board is not the QJ driver's
  EXPECT_EQ(qj8_get_config(50, rec), 0);
  EXPECT_EQ(qj8_type_check(), 1);
  sim().SetTypeCheckFails(true);
  EXPECT_EQ(qj8_type_check(), 0);
}

TEST_F(QjDriverTest, ServiceRequestReachesHandlerAsClassFive) {
  g_callbacks = 0;
  qj8_set_error_handling(CountCallback);
  sim().RaiseServiceRequest(0, 0x80CF);
  EXPECT_EQ(g_callbacks, 1);
  EXPECT_EQ(qj8_get_message(), 0x80CF);
  uint8_t cls, code;
  qj8_get_error_class_and_code(&cls, &code);
  EXPECT_EQ(cls, 5);
  qj8_clear();
  EXPECT_EQ(qj8_get_message(), 0);
}

}  // namespace
