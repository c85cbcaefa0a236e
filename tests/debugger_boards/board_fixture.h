// Board classes against the simulator behind the driver libraries.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/project_data.h"
#include "drivers/sim/simulator.h"

class BoardTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  static sim::Simulator& Sim() { return sim::Simulator::Instance(); }
  static sim::Board& SimBoard(uint16_t n) { return *Sim().FindBoard(n); }
  // The traced calls of one driver function, as "args" texts.
  static std::vector<std::string> Calls(const std::string& name);
  static std::string KernelDir();
  static std::vector<WORD> Messages();

  ProjectData project;
};

// Records the service messages the boards forward.
void RecordMessage(WORD message);
