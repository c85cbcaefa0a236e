#include "tests/debugger_boards/board_fixture.h"

#include "debugger/driver_binding.h"
#include "debugger/kalven_board.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"

namespace {
std::vector<WORD> g_messages;
}

void RecordMessage(WORD message) { g_messages.push_back(message); }

void BoardTest::SetUp() {
  Sim().Configure();
  plat::ClearMessageBoxRecords();
  g_messages.clear();
  g_boardServiceCallback = nullptr;
  SetDriverLibraryName(DriverLibrary::Rizo, "rizo32.dll");
  SetDriverLibraryName(DriverLibrary::Dovi, "dovi32.dll");
  project.SetDebuggeeNum(12);
}

void BoardTest::TearDown() { g_boardServiceCallback = nullptr; }

std::vector<std::string> BoardTest::Calls(const std::string& name) {
  std::vector<std::string> out;
  for (const auto& e : Sim().Trace().Of(name)) out.push_back(e.args);
  return out;
}

std::string BoardTest::KernelDir() { return plat::ProgramDir() + "/"; }

std::vector<WORD> BoardTest::Messages() { return g_messages; }
