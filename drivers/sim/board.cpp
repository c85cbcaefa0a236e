#include "drivers/sim/board.h"

namespace sim {

Family FamilyOfType(uint16_t type) {
  switch (type) {
    case kTypeKoraDesk2:
      return Family::QJ2;
    case kTypeKoraLine:
      return Family::QJ6;
    case kTypeMiniTessera:
      return Family::QJ7;
    case kTypeTessera:
      return Family::QJ8;
    default:
      return Family::ZOR;
  }
}

bool IsQjType(uint16_t type) {
  return type == kTypeKoraDesk2 || type == kTypeKoraLine || type == kTypeMiniTessera || type == kTypeTessera;
}

namespace {

struct CpuProfile {
  uint8_t type, clock, maker, coprocessor, revision;
  uint32_t ramLow, ramHigh, freeStart;
  uint16_t timerBase;  // parameter word 150
};

CpuProfile ProfileOf(Family f) {
  switch (f) {
    case Family::QJ2:
      return {1, 8, 2, 0, 0, 0x10000, 0x80000, 0x30000, 1000};
    case Family::QJ6:
      return {4, 33, 2, 0, 3, 0x0, 0x400000, 0x100000, 800};
    case Family::QJ7:
      return {4, 66, 1, 4, 5, 0x0, 0x800000, 0x100000, 1000};
    case Family::QJ8:
      return {5, 100, 1, 5, 7, 0x0, 0x1000000, 0x100000, 1000};
    case Family::ZOR:
      return {4, 100, 1, 4, 1, 0x0, 0x1000000, 0x100000, 1000};
  }
  return {};
}

// Module word counts of the configuration EEPROM, by family.
std::map<uint16_t, uint16_t> EepromLayout(Family f) {
  switch (f) {
    case Family::QJ2:
      return {{0, 64}};
    case Family::QJ6:
      return {{0, 32}, {1, 16}, {2, 16}, {3, 16}, {32, 64}, {34, 64}, {35, 64}, {36, 64}, {37, 64}};
    case Family::QJ7:
      return {{0, 32}, {1, 32}, {2, 32}};
    case Family::QJ8: {
      std::map<uint16_t, uint16_t> m;
      for (uint16_t i = 0; i < 11; ++i) m[i] = 32;
      return m;
    }
    case Family::ZOR:
      return {};
  }
  return {};
}

// Writes version v into the FPGA version ports, one bit per port.
void SetBitPorts(std::map<uint16_t, uint8_t>& ports, uint16_t first, uint8_t v) {
  for (int i = 0; i < 8; ++i) ports[uint16_t(first + i)] = (v >> i) & 1;
}

ZorModule MakeZorModule(uint16_t type, uint16_t serialNo, uint8_t chipDesign) {
  ZorModule m;
  m.type = type;
  m.version = uint16_t('B' | 2 << 8);
  m.eeprom.assign(256, 0);
  for (size_t i = 0; i < 0x80; i += 2) {
    m.eeprom[i] = uint8_t(type + i);
    m.eeprom[i + 1] = uint8_t(i / 2);
  }
  uint8_t* a = &m.eeprom[kZorArea27Offset];
  a[0] = 12;          // length byte
  a[1] = chipDesign;  // 0xFF: not set
  a[2] = uint8_t(serialNo);
  a[3] = uint8_t(serialNo >> 8);
  const char state[] = "PRODUCTION";
  for (int i = 0; i < 11; ++i) a[4 + i] = i < 10 ? uint8_t(state[i]) : ' ';
  a[15] = 'C';  // design letter
  uint32_t date = 2023u << 16 | 5u << 8 | 17u;
  for (int i = 0; i < 4; ++i) a[16 + i] = uint8_t(date >> (8 * i));
  return m;
}

}  // namespace

uint32_t Board::Allocate(uint32_t size) {
  uint32_t at = allocNext;
  allocNext += (size + 15) & ~15u;
  return at;
}

void Board::PowerOn() {
  for (auto& t : tasks) t = Task{};
  memory.Clear();
  ports.clear();
  eeprom.clear();
  ramPointer = 0;
  osRunning = true;
  osName = "ROM";
  interruptCount = 0;
  lastTrigger = 0;
  serial.clear();
  leds.clear();
  cpu.reset();

  const CpuProfile p = ProfileOf(family());
  allocNext = p.freeStart;
  Task& os = Os();
  os.program = 0;
  os.role = "os";
  os.active = true;
  os.params.Resize(512);
  os.params.Set8(38, p.type);
  os.params.Set8(39, p.clock);
  os.params.Set8(41, p.maker);
  os.params.Set8(46, p.coprocessor);
  os.params.Set8(148, p.revision);
  os.params.Set32(64, p.ramLow);
  os.params.Set32(68, p.ramHigh);
  os.params.Set32(72, p.freeStart);
  os.params.Set16(150, p.timerBase);

  uint16_t index = 0;
  for (auto [module, words] : EepromLayout(family())) {
    std::vector<uint16_t> w(words);
    for (uint16_t i = 0; i < words; ++i) w[i] = uint16_t(module << 8 | i);
    w[0] = uint16_t(0x40 + module);
    eeprom[module] = w;
    if (index < 11) os.params.Set16(100 + 4 * index, words);
    ++index;
  }
  if (eeprom.count(0) && eeprom[0].size() > 24) eeprom[0][24] = 0x0400;  // crystal code

  switch (family()) {
    case Family::QJ2:
      ports[66] = 0x03;
      ports[139] = 0x05;
      ports[3] = 0x12;
      break;
    case Family::QJ6:
    case Family::QJ7:
    case Family::QJ8:
      SetBitPorts(ports, 0xB0, 0x25);
      SetBitPorts(ports, 0xC0, 0x13);
      SetBitPorts(ports, 0xD0, 0x07);
      break;
    case Family::ZOR:
      if (modules.empty() && defaultModules) {
        modules[{1, 0}] = MakeZorModule(0x0B, 1001, 3);
        modules[{2, 0}] = MakeZorModule(0x0120, 1002, 0xFF);
        modules[{3, 1}] = MakeZorModule(0x7777, 1003, 27);
      }
      break;
  }
}

}  // namespace sim
