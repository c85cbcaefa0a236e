#include <cstring>

#include "drivers/dovi32/dovi32.h"
#include "drivers/kalvinfo/kalvinfo.h"
#include "tests/drivers/sim_fixture.h"
#include "tests/support/test_support.h"

namespace {

class ZorDriverTest : public SimTest {};

int g_services = 0;
uint16_t g_lastMessage = 0;
void Service(uint32_t, uint16_t message) {
  ++g_services;
  g_lastMessage = message;
}

TEST_F(ZorDriverTest, ModuleGridAndEepromArea) {
  ZOR_MODULE_INFO info;
  EXPECT_EQ(zor_get_module_info(4, 1, 0, &info), 0);
  EXPECT_EQ(info.type, 0x0B);
  EXPECT_EQ(zor_get_module_info(4, 0, 0, &info), sim::zerr::kNoModule);
  EXPECT_EQ(info.type, 0);
  ZOR_EEPROM_AREA27 area;
  static_assert(sizeof area == 22);
  EXPECT_EQ(zor_read_eeprom_area(4, 2, 0, 27, 0, 22, &area, 0), 0);
  EXPECT_EQ(area.serial, 1002);
  EXPECT_EQ(area.date, 2023u << 16 | 5u << 8 | 17u);
  uint16_t word = 0;
  EXPECT_EQ(zor_read_eeprom(4, 2, 0, 2, 2, &word), 0);
  EXPECT_EQ(word, uint16_t(((0x0120 + 2) & 0xFF) | 1 << 8));
}

TEST_F(ZorDriverTest, ConnectInstallAndCallThroughCpu) {
  uint32_t h = 0, info = 0;
  EXPECT_EQ(zor_connect_cpu(4, 2, 0, &info, &h), sim::zerr::kNoCpu);
  ASSERT_EQ(zor_connect_cpu(4, 1, 0, &info, &h), 0);
  ASSERT_NE(h, 0u);
  std::string dir = mirt_test::MakeTempDir("zor");
  std::string prog = Descriptor(dir, "KERNLZOR.EXE", "role=kernel\r\nprocedures=4\r\nparams=14000\r\n");
  ZOR_INSTALL_RECORD rec{prog.c_str(), 0xFF00, 0, 0, 0, 0, 0, 0x1800, 0};
  uint16_t task = 0;
  ASSERT_EQ(zor_transfer_and_install(h, &rec, &task), 0);
  EXPECT_EQ(task, 1);
  uint16_t found = 0, count = 0;
  EXPECT_EQ(zor_get_task_number_prog(h, 0xFF00, &found, &count), 0);
  EXPECT_EQ(found, 1);
  EXPECT_EQ(zor_get_task_number_prog(h, 0x1234, &found, &count), sim::zerr::kTaskMissing);
  uint8_t bitmap[128];
  ASSERT_EQ(zor_get_installed_tasks(h, bitmap), 0);
  EXPECT_EQ(bitmap[0], 0x40);  // task 1
  EXPECT_EQ(zor_call_proc(h, 1, 2), 0);
  EXPECT_EQ(board(4).tasks[1].params.Get8(0), 2);
  uint8_t tinfo[4];
  EXPECT_EQ(zor_task_info(h, 9, 4, tinfo), sim::zerr::kTaskMissing);

  g_services = 0;
  ASSERT_EQ(zor_set_service(h, Service), 0);
  sim().RaiseServiceRequest(4, 0x80CF);
  EXPECT_EQ(g_services, 1);
  EXPECT_EQ(g_lastMessage, 0x80CF);

  EXPECT_EQ(zor_exit_cpu(&h), 0);
  EXPECT_EQ(h, 0u);
  EXPECT_EQ(zor_call_proc(0x5A000410, 1, 2), sim::zerr::kBadHandle);
}

TEST_F(ZorDriverTest, BoardReactingAndReset) {
  EXPECT_EQ(zor_board_reacting(4), 0);
  board(4).osRunning = false;
  EXPECT_NE(zor_board_reacting(4), 0);
  EXPECT_EQ(zor_reset_board(4, 30), 0);
  EXPECT_EQ(zor_board_reacting(4), 0);
  EXPECT_NE(zor_board_reacting(0), 0);  // a QJ board
  char text[100];
  uint16_t severity;
  zor_get_error_message(sim::zerr::kNoCpu, &severity, text);
  EXPECT_STREQ(text, "No CPU module found");
}

TEST_F(ZorDriverTest, BoardParametersOfTheRack) {
  uint8_t rec[250] = {};
  uint32_t size = 250;
  std::memcpy(rec, &size, 4);
  ASSERT_EQ(kalv_get_board_parameters(4, rec), 0);
  uint32_t iface, type;
  std::memcpy(&iface, rec + 8, 4);
  std::memcpy(&type, rec + 12, 4);
  EXPECT_EQ(iface, 0u);
  EXPECT_EQ(type, 16u);
  EXPECT_NE(kalv_get_board_parameters(5, rec), 0);
  EXPECT_NE(kalv_get_board_parameters(-1, rec), 0);
}

}  // namespace
