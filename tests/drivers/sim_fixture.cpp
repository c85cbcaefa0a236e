#include "tests/drivers/sim_fixture.h"

#include "tests/support/test_support.h"

std::string SimTest::Descriptor(const std::string& dir, const std::string& name, const std::string& keys) {
  return mirt_test::WriteFile(dir + "/" + name, "KALVEN-SIM-PROGRAM\r\n" + keys);
}
