// One simulated board of the rack: its RAM, task slots, I/O ports,
// EEPROM, interrupt controllers and (ZOR family) module grid.
#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "drivers/sim/byte_area.h"
#include "drivers/sim/sparse_memory.h"

namespace sim {

class BoardCpu;

enum class Family { QJ2, QJ6, QJ7, QJ8, ZOR };

// Board type codes as the boards report them.
constexpr uint16_t kTypeKoraDesk2 = 2, kTypeKoraLine = 6, kTypeMiniTessera = 7, kTypeTessera = 8,
                   kTypeZorPc = 16, kTypeZor6Pci = 0x600;

Family FamilyOfType(uint16_t type);
bool IsQjType(uint16_t type);

// Task-information offsets of the program and task descriptors.
constexpr uint32_t kPdtOffset = 0, kPdtHeadSize = 48, kTdtOffset = 256, kParAreaAddrOffset = 512,
                   kTaskInfoSize = 1024;

struct Task {
  uint16_t program = 0;  // 0 = free slot
  std::string file;
  std::string role;              // "os", "kernel", "comm", "mdd", "user"
  ByteArea info{kTaskInfoSize};  // program and task descriptors
  ByteArea params;
  ByteArea data;
  uint32_t readPointer = 0;
  bool active = false;
  std::vector<uint16_t> procCalls;  // procedures called, in order
};

struct ZorModule {
  uint16_t type = 0;
  uint16_t version = 0;  // low byte a letter, high byte a number
  uint8_t variant = 0;
  uint16_t info1 = 0, info2 = 0;
  std::vector<uint8_t> eeprom;  // byte image; area 27 at kZorArea27Offset
  bool areaReadable = true;
};
constexpr uint32_t kZorArea27Offset = 0x80, kZorArea27Size = 22;

struct SerialLine {
  std::deque<uint8_t> rx;     // bytes waiting for the board side to read
  std::vector<uint8_t> sent;  // bytes the board sent, in order
  bool loopback = true;
  bool transmitterBusy = false;  // the board side takes no byte to send
};

struct Board {
  uint16_t number = 0;
  uint16_t type = kTypeTessera;
  uint16_t interfaceCode = 0;  // 0 local, 1 serial, 2 remote, 6 TCP/IP ...
  uint16_t ioAddress = 0x300;
  uint16_t irq = 10;
  bool reacting = true;        // false: hardware does not answer at all
  bool osRunning = true;       // false: needs a reset
  bool defaultModules = true;  // ZOR: fill the default module grid
  std::string osName = "ROM";

  SparseMemory memory;
  uint32_t ramPointer = 0;
  uint32_t allocNext = 0;  // bump allocator for programs' descriptors
  std::array<Task, 1024> tasks;
  std::map<uint16_t, uint8_t> ports;
  std::map<uint16_t, std::vector<uint16_t>> eeprom;            // module -> words
  std::map<std::pair<uint16_t, uint16_t>, ZorModule> modules;  // (slot, layer)
  uint16_t zorBoardVersion = 0x0141, zorBoardSerial = 4711;

  // Interrupt controllers (master 0, slave 1) and the counter of the
  // interrupt-channel test.
  std::array<uint8_t, 2> irr{0x01, 0x00}, imr{0xB8, 0xFF};
  std::array<bool, 2> readIrr{false, false};
  uint32_t interruptCount = 0;
  uint8_t lastTrigger = 0;  // previous write of the trigger sequence

  std::map<uint16_t, SerialLine> serial;  // channel index -> line
  std::map<uint16_t, uint8_t> leds;       // LED unit -> last value
  uint32_t clockTime = 0x0C000000;        // hh, mm, ss in bytes 3..1
  uint32_t clockDate = 0x7C060103;        // year-1900, month, day, weekday
  uint64_t clockBaseMs = 0;
  std::shared_ptr<BoardCpu> cpu;  // made on first use (board_cpu.h)

  Family family() const { return FamilyOfType(type); }
  bool IsQj() const { return IsQjType(type); }
  Task& Os() { return tasks[0]; }

  // Power-on state of the board: ROM operating system, empty task table.
  void PowerOn();
  // Bytes reserved in board memory for descriptors and program images.
  uint32_t Allocate(uint32_t size);
};

}  // namespace sim
