// A fresh default rack for each test (board 0, a TESSERA, is served) and
// test programs installed on it as MZ executables.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "drivers/sim/board_cpu.h"
#include "drivers/sim/simulator.h"
#include "tests/drivers_cpu/program_builder.h"

class BoardCpuTest : public ::testing::Test {
 public:
  // A layout whose stack of 256 bytes lies at paragraph 0x40 of the module.
  static cpu_test::MzLayout Stack();

 protected:
  void SetUp() override { sim().Configure(); }
  static sim::Simulator& sim() { return sim::Simulator::Instance(); }
  static sim::Board& board(uint16_t n = 0) { return *sim().FindBoard(n); }
  static sim::BoardCpu& cpu(uint16_t n = 0) { return sim::BoardCpu::Of(board(n)); }

  // Assembles `source`, wraps it and writes it as `name` in a fresh folder.
  static std::string WriteProgram(const std::string& name, const std::string& source,
                                  const cpu_test::MzLayout& layout = Stack());
  // The descriptor file of the debug kernel, written in a fresh folder.
  static std::string WriteKernel();
  static uint32_t Linear(uint16_t segment, uint16_t offset) { return uint32_t(segment) * 16 + offset; }
};
