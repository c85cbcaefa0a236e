#include <gtest/gtest.h>

#include "platform/sys/library.h"

namespace {

TEST(DriverLibraryTest, LoadByWindowsNamesAndFindExports) {
  struct Case {
    const char* library;
    const char* function;
  };
  const Case cases[] = {
      {"rizo32.dll", "qj8_start"},
      {"RIZO32.DLL", "mdd8_open_channel"},
      {"dovi32.dll", "zor_connect_cpu"},
      {"kalvinfo.dll", "kalv_get_board_parameters"},
  };
  for (const Case& c : cases) {
    HMODULE h = LoadLibrary(c.library);
    ASSERT_NE(h, nullptr) << c.library;
    EXPECT_NE(GetProcAddress(h, c.function), nullptr) << c.function;
    EXPECT_EQ(GetProcAddress(h, "no_such_function"), nullptr);
    FreeLibrary(h);
  }
}

}  // namespace
