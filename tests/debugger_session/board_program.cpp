#include "tests/debugger_session/board_program.h"

#include <gtest/gtest.h>

#include "drivers/rizo32/rizo32.h"
#include "tests/debugger/borland_fixture.h"
#include "tests/drivers_cpu/program_builder.h"
#include "tests/support/test_support.h"

namespace session_test {

namespace {

constexpr char kBoardProgramAsm[] =
    "bits 16\n"
    "start: push cs\n"
    "  call main\n"
    "  mov ax, 0x4C00\n"
    "  int 0x21\n"
    "  times 0x20-($-$$) nop\n"
    "main: push bp\n"
    "  mov bp, sp\n"
    "  times 0x28-($-$$) nop\n"
    "  mov word [cs:0xF0], 5\n"
    "  times 0x30-($-$$) nop\n"
    "  push cs\n"
    "  call helper\n"
    "  times 0x38-($-$$) nop\n"
    "  inc word [cs:0xF0]\n"
    "  times 0x40-($-$$) nop\n"
    "  pop bp\n"
    "  retf\n"
    "  times 0x60-($-$$) nop\n"
    "helper: push bp\n"
    "  mov bp, sp\n"
    "  times 0x68-($-$$) nop\n"
    "  mov word [cs:0xF0], 7\n"
    "  times 0x70-($-$$) nop\n"
    "  pop bp\n"
    "  retf\n"
    "  times 0xF0-($-$$) db 0\n"
    "  dw 0\n";

constexpr uint16_t kBoardProgramCodeLength = 0xF2;
constexpr uint16_t kBoardProgramLoadParagraphs = 0x1180;

}  // namespace

std::string WriteBoardProgram(uint8_t language) {
  cpu_test::MzLayout layout;
  layout.ss = 0x40;
  layout.sp = 0x100;
  layout.extraParagraphs = 0x50;
  fixture::BorlandExe x;
  x.mzFile = cpu_test::MzFile(cpu_test::Assemble(kBoardProgramAsm), layout);
  uint16_t seg = x.AddSegment(x.AddModule("prog", language), 0, 0, kBoardProgramCodeLength);
  x.AddLines(seg, kProgramSource,
             {{1, 0x00},
              {10, 0x20},
              {11, 0x28},
              {12, 0x30},
              {13, 0x38},
              {14, 0x40},
              {20, 0x60},
              {21, 0x68},
              {22, 0x70}});
  uint32_t fn = x.AddType(kTypeFunction, "", 0, 0);
  x.AddSymbol("main", fn, 0, kMainOffset);
  x.AddSymbol("helper", fn, 0, kHelperOffset);
  x.AddSymbol("counter", kTypeInt, 0, kCounterOffset);
  const std::string dir = mirt_test::MakeTempDir("prog");
  return mirt_test::WriteFile(dir + "/" + kProgramName, x.Write());
}

void StartBoard() { ASSERT_EQ(qj8_start(0, 0, 1, 0, 0, nullptr, 0x50), 0); }

void InstallOnBoard(const std::string& path) {
  ASSERT_EQ(qj8_transfer_and_install(path.c_str(), 0, kProgramTask, 0x77, 1, kBoardProgramLoadParagraphs, 0),
            0);
}

}  // namespace session_test
