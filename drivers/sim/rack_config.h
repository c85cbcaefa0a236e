// The rack of simulated boards: read from the file that the environment
// variable MIRT_BOARDS names, else the default rack (one board per family).
//
//   # comment
//   board <n> type=<code> [interface=<n>] [address=<hex>] [irq=<n>] [down] [nomodules]
//   module <board> slot=<n> layer=<n> type=<hex> [variant=<n>] [serial=<n>]
//          [design=<n>] [noarea]
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "drivers/sim/board.h"

namespace sim {

struct RackParseResult {
  std::vector<std::unique_ptr<Board>> boards;
  std::string error;  // first bad line, "" when all lines were read
};

RackParseResult ParseRack(const std::string& text);
std::string DefaultRackText();
// The rack text that the environment selects (the default when unset or
// unreadable).
std::string RackTextFromEnvironment();

}  // namespace sim
