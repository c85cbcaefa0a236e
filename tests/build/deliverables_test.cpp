// The deliverables are built side by side and the shared libraries load.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_support.h"

namespace {

class Deliverable : public testing::TestWithParam<const char*> {};

TEST_P(Deliverable, LoadsFromProgramDirectory) {
  std::string path = mirt_test::ProgramDir() + "/" + GetParam();
  void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(h, nullptr) << dlerror();
  dlclose(h);
}

INSTANTIATE_TEST_SUITE_P(All, Deliverable,
                         testing::Values("libytn1.so", "liba_qjx.so", "libtbcopt.so", "libgnuopt.so"));

TEST(Deliverables, ProgramAndInstallationFilesAreBesideEachOther) {
  std::filesystem::path dir = mirt_test::ProgramDir();
  EXPECT_TRUE(std::filesystem::exists(dir / "mirt2"));
  EXPECT_TRUE(std::filesystem::exists(dir / "mirt.cfg"));
}

}  // namespace
