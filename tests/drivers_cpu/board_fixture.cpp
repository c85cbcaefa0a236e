#include "tests/drivers_cpu/board_fixture.h"

#include "tests/support/test_support.h"

std::string BoardCpuTest::WriteProgram(const std::string& name, const std::string& source,
                                       const cpu_test::MzLayout& layout) {
  std::string dir = mirt_test::MakeTempDir("prog");
  return mirt_test::WriteFile(dir + "/" + name, cpu_test::MzFile(cpu_test::Assemble(source), layout));
}

cpu_test::MzLayout BoardCpuTest::Stack() {
  cpu_test::MzLayout l;
  l.ss = 0x40;
  l.sp = 0x100;
  l.extraParagraphs = 0x50;
  return l;
}

std::string BoardCpuTest::WriteKernel() {
  std::string dir = mirt_test::MakeTempDir("kernel");
  return mirt_test::WriteFile(dir + "/KERNLQJX.EXE",
                              "KALVEN-SIM-PROGRAM\r\nrole=kernel\r\nprogram=FF00\r\n"
                              "procedures=5\r\nparams=14080\r\ntype=0\r\n");
}
