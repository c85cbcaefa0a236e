#include <gtest/gtest.h>

#include <string>

#include "debugger/executable_kind.h"
#include "platform/sys/path.h"
#include "tests/support/test_support.h"

namespace {

TEST(ExecutableKind, ElfProgramsGoToGdbEverythingElseToABoard) {
  struct Case {
    std::string head;
    ExecutableKind kind;
  };
  const Case cases[] = {{std::string("\x7f"
                                     "ELF\x02\x01",
                                     6),
                         ExecutableKind::kHostElf},
                        {std::string("MZ\x90\x00", 4), ExecutableKind::kBoard},
                        {std::string("\x7f"
                                     "EL",
                                     3),
                         ExecutableKind::kBoard},
                        {std::string(), ExecutableKind::kBoard}};
  const std::string dir = mirt_test::MakeTempDir("kind");
  int n = 0;
  for (const Case& c : cases) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(c.head.data());
    EXPECT_EQ(ExecutableKindOf(bytes, c.head.size()), c.kind) << n;
    const std::string path = mirt_test::WriteFile(dir + "/f" + std::to_string(n++), c.head);
    EXPECT_EQ(ExecutableKindOfFile(path.c_str()), c.kind) << path;
  }
  EXPECT_EQ(ExecutableKindOfFile((dir + "/missing").c_str()), ExecutableKind::kBoard);
  // This test program itself is a host program.
  EXPECT_EQ(ExecutableKindOfFile(plat::ProgramPath().c_str()), ExecutableKind::kHostElf);
}

}  // namespace
