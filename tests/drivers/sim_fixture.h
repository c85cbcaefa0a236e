// Tests over the board simulator: a fresh default rack for each test.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "drivers/sim/simulator.h"

class SimTest : public ::testing::Test {
 protected:
  void SetUp() override { sim().Configure(); }
  static sim::Simulator& sim() { return sim::Simulator::Instance(); }
  static sim::Board& board(uint16_t n) { return *sim().FindBoard(n); }
  // A descriptor file standing in for a board-side program.
  static std::string Descriptor(const std::string& dir, const std::string& name, const std::string& keys);
};
