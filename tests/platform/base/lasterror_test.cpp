#include "platform/base/winerror.h"

#include <gtest/gtest.h>

#include <thread>

TEST(LastError, IsKeptPerThread) {
  SetLastError(ERROR_FILE_NOT_FOUND);
  DWORD other = 1;
  std::thread t([&] {
    other = GetLastError();
    SetLastError(ERROR_ACCESS_DENIED);
  });
  t.join();
  EXPECT_EQ(other, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}
