// Installation-file tests over the simulator's default rack (0 TESSERA-4/486
// at 0x300, 1 Kora-DESK/2, 2 Kora-LINE, 3 Mini-TESSERA at 0x330, 4 ZOR-PC
// with its CPU module in slot 1, layer 0).
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "a_qjx/ins_interpreter.h"
#include "drivers/sim/simulator.h"

class InsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  static sim::Simulator& sim() { return sim::Simulator::Instance(); }
  static sim::Board& board(uint16_t n) { return *sim().FindBoard(n); }
  // The file's lines joined with the line end; returns its path.
  std::string WriteIns(const std::string& name, const std::vector<std::string>& lines,
                       const std::string& lineEnd = "\r\n");
  // A stand-in board program in the test folder; returns its path.
  std::string Program(const std::string& name, const std::string& keys = "procedures=4\nparams=64\n");
  static std::vector<std::string> BoxTexts();
  static std::vector<std::string> Args(const std::string& call);
  // The names of the traced calls that are in `calls`, in order.
  static std::string CallsOf(const std::vector<std::string>& calls);
  std::string dir;
};

// One line through a fresh interpreter.
struct LineOutcome {
  int16_t result = 0;
  WORD errorCode = 0;
  CString help, answer, text;
};
LineOutcome RunLine(const std::string& line, bool execute, WORD flags = 0);
