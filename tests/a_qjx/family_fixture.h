// Board family tests over the simulator's default rack (0 TESSERA-4/486,
// 1 Kora-DESK/2, 2 Kora-LINE, 3 Mini-TESSERA, 4 ZOR-PC).
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "a_qjx/board_family.h"
#include "drivers/sim/simulator.h"
#include "platform/sys/msgbox.h"

class FamilyTest : public ::testing::Test {
 protected:
  void SetUp() override;
  static sim::Simulator& sim() { return sim::Simulator::Instance(); }
  static sim::Board& board(uint16_t n) { return *sim().FindBoard(n); }
  // The family for a type, selected the way the exports do, with the
  // driver serving the given board.
  static CBoardFamily& Select(WORD type, uint16_t servedBoard);
  static std::vector<std::string> BoxTexts();
  static std::vector<long long> Results(const std::string& call);
  static std::vector<std::string> Args(const std::string& call);
  // Installs a stand-in program on the served board.
  static void Install(uint16_t task, uint16_t program, const std::string& keys, uint32_t dataSize = 0,
                      uint32_t flags = 0x1180);
  std::string dir;
};
