// QJ driver: board memory, I/O ports (interrupt controllers, the interrupt
// test trigger, the Kora-DESK/2 serial line), EEPROM, parameter records
// and macro commands of the served board.
#include "drivers/rizo32/rizo32.h"

#include <cstring>

#include "drivers/sim/macro_format.h"
#include "drivers/sim/port_model.h"
#include "drivers/sim/simulator.h"

namespace sim::qj {

namespace {

Board* Served(DriverCall& c) { return c.Faulted() ? nullptr : c.Served(); }

// A word of a module's EEPROM; null for an empty slot or a word past its end.
uint16_t* EepromWord(Board& b, uint16_t module, uint16_t word) {
  auto it = b.eeprom.find(module);
  if (it == b.eeprom.end() || word >= it->second.size()) return nullptr;
  return &it->second[word];
}

uint16_t ReadEepromWord(DriverCall& c, uint16_t module, uint16_t word) {
  Board* b = Served(c);
  if (!b) return c.Result(uint16_t(0));
  const uint16_t* w = EepromWord(*b, module, word);
  return c.Result(w ? *w : uint16_t(0xFFFF));  // nothing there reads as erased
}

}  // namespace

extern "C" {  // the exported functions

int16_t qj8_set_ram_pointer(uint32_t address) {
  DriverCall c("qj8_set_ram_pointer", FormatArgs(address));
  if (Board* b = Served(c)) b->ramPointer = address;
  return c.Result(int16_t(c.Code()));
}

int16_t qj8_read_ram(uint16_t count, void* dest) {
  DriverCall c("qj8_read_ram", FormatArgs(count, dest));
  Board* b = Served(c);
  if (dest) std::memset(dest, 0, count);
  if (b && dest) {
    b->memory.Read(b->ramPointer, dest, count);
    b->ramPointer += count;
  }
  return c.Result(int16_t(c.Code()));
}

int16_t qj8_write_ram(uint16_t count, const void* src) {
  DriverCall c("qj8_write_ram", FormatArgs(count, src));
  Board* b = Served(c);
  if (b && src) {
    b->memory.Write(b->ramPointer, src, count);
    b->ramPointer += count;
  }
  return c.Result(int16_t(c.Code()));
}

int16_t qj8_read_memory(uint32_t address, uint16_t length, void* dest) {
  DriverCall c("qj8_read_memory", FormatArgs(address, length, dest));
  Board* b = Served(c);
  if (dest) std::memset(dest, 0, length);
  if (b && dest) b->memory.Read(address, dest, length);
  return c.Result(int16_t(c.Code()));
}

int16_t qj8_write_memory(uint32_t address, uint16_t length, const void* src) {
  DriverCall c("qj8_write_memory", FormatArgs(address, length, src));
  Board* b = Served(c);
  if (b && src) b->memory.Write(address, src, length);
  return c.Result(int16_t(c.Code()));
}

uint8_t qj8_in8_port(uint16_t port) {
  DriverCall c("qj8_in8_port", FormatArgs(port));
  Board* b = Served(c);
  return c.Result(uint8_t(b ? ReadBoardPort(*b, port) : 0));
}

uint16_t qj8_in16_port(uint16_t port) {
  DriverCall c("qj8_in16_port", FormatArgs(port));
  Board* b = Served(c);
  if (!b) return c.Result(uint16_t(0));
  uint8_t lo = ReadBoardPort(*b, port);
  return c.Result(uint16_t(lo | ReadBoardPort(*b, uint16_t(port + 1)) << 8));
}

void qj8_out8_port(uint16_t port, uint8_t value) {
  DriverCall c("qj8_out8_port", FormatArgs(port, value));
  if (Board* b = Served(c)) WriteBoardPort(c.sim(), *b, port, value);
}

void qj8_out16_port(uint16_t port, uint16_t value) {
  DriverCall c("qj8_out16_port", FormatArgs(port, value));
  if (Board* b = Served(c)) {
    WriteBoardPort(c.sim(), *b, port, uint8_t(value));
    WriteBoardPort(c.sim(), *b, uint16_t(port + 1), uint8_t(value >> 8));
  }
}

uint16_t qj8_read_eeprom_direct(uint16_t module, uint16_t word) {
  DriverCall c("qj8_read_eeprom_direct", FormatArgs(module, word));
  return ReadEepromWord(c, module, word);
}

int16_t qj8_write_eeprom_direct(uint16_t module, uint16_t word, uint16_t value) {
  DriverCall c("qj8_write_eeprom_direct", FormatArgs(module, word, value));
  Board* b = Served(c);
  if (!b) return c.Result(int16_t(c.Code()));
  uint16_t* w = EepromWord(*b, module, word);
  if (!w) return c.Result(int16_t(c.Fail(err::kClassParam, err::kEepromParam)));
  *w = value;
  return c.Result(int16_t(0));
}

uint16_t qj8_read_eeprom_copy(uint16_t module, uint16_t word) {
  DriverCall c("qj8_read_eeprom_copy", FormatArgs(module, word));
  return ReadEepromWord(c, module, word);
}

int16_t qj8_parameter_control(uint16_t what, uint16_t direction, void* block) {
  DriverCall c("qj8_parameter_control", FormatArgs(what, direction, block));
  Board* b = Served(c);
  if (!b || !block) return c.Result(int16_t(c.Code()));
  auto* r = static_cast<uint8_t*>(block);
  if (what == 4) {
    uint32_t irq = b->irq;
    std::memcpy(r + 24, &irq, 4);
  } else if (what == 6) {
    std::memcpy(r + 12, &b->interruptCount, 4);
  } else {
    return c.Result(int16_t(c.Fail(err::kClassParam, err::kParam1)));
  }
  return c.Result(int16_t(0));
}

int16_t qj8_send_macro(uint8_t code, uint8_t format, uint16_t lengthWord, uint16_t countWord,
                       const uint8_t* data, uint8_t* answer) {
  DriverCall c("qj8_send_macro", FormatArgs(code, format, lengthWord, countWord, data, answer));
  Board* b = Served(c);
  if (!b) return c.Result(int16_t(c.Code()));
  long answerLength = MacroAnswerLength(format, countWord);
  if (answerLength < 0) return c.Result(int16_t(c.Fail(err::kClassParam, err::kMacroAnswer)));
  if (MacroDataLength(format, lengthWord) > 0x400) return c.Result(int16_t(c.Fail(err::kClassParam, 0x32)));
  if (code == 0xFF) return c.Result(int16_t(c.Fail(err::kClassParam, err::kMacroUnknown)));
  // The board answers with bytes counting up from the command code.
  if (answer)
    for (long i = 0; i < answerLength; ++i) answer[i] = uint8_t(code + i);
  return c.Result(int16_t(0));
}

}  // extern "C"

}  // namespace sim::qj
