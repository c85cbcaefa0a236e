// Rack configuration files of the board simulator.
#include <cstddef>
#include <cstdint>
#include <string>

#include "drivers/sim/rack_config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sim::ParseRack(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
