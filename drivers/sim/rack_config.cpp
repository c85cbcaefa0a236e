#include "drivers/sim/rack_config.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace sim {

namespace {

bool ParseNumber(const std::string& s, int base, unsigned long* out) {
  if (s.empty()) return false;
  char* end = nullptr;
  *out = std::strtoul(s.c_str(), &end, base);
  return *end == 0;
}

struct Line {
  std::string verb;
  std::string index;
  std::map<std::string, std::string> keys;
};

Line SplitLine(const std::string& text) {
  std::istringstream in(text);
  Line l;
  in >> l.verb >> l.index;
  std::string tok;
  while (in >> tok) {
    auto eq = tok.find('=');
    if (eq == std::string::npos)
      l.keys[tok] = "";
    else
      l.keys[tok.substr(0, eq)] = tok.substr(eq + 1);
  }
  return l;
}

bool Key(const Line& l, const char* name, int base, unsigned long* out) {
  auto it = l.keys.find(name);
  return it != l.keys.end() && ParseNumber(it->second, base, out);
}

bool ParseBoard(const Line& l, std::unique_ptr<Board>* out) {
  unsigned long n, v;
  if (!ParseNumber(l.index, 10, &n) || n > 99 || !Key(l, "type", 0, &v)) return false;
  auto b = std::make_unique<Board>();
  b->number = uint16_t(n);
  b->type = uint16_t(v);
  if (Key(l, "interface", 10, &v)) b->interfaceCode = uint16_t(v);
  if (Key(l, "address", 16, &v)) b->ioAddress = uint16_t(v);
  if (Key(l, "irq", 10, &v)) b->irq = uint16_t(v);
  if (l.keys.count("down")) b->reacting = false;
  if (l.keys.count("nomodules")) b->defaultModules = false;
  *out = std::move(b);
  return true;
}

bool ParseModule(const Line& l, std::vector<std::unique_ptr<Board>>& boards) {
  unsigned long n, slot, layer, type, v;
  if (!ParseNumber(l.index, 10, &n) || !Key(l, "slot", 10, &slot) || !Key(l, "layer", 10, &layer) ||
      !Key(l, "type", 16, &type) || slot > 15 || layer > 15)
    return false;
  Board* b = nullptr;
  for (auto& x : boards)
    if (x->number == n) b = x.get();
  if (!b || b->IsQj()) return false;
  ZorModule m;
  m.type = uint16_t(type);
  m.version = uint16_t('A' | 1 << 8);
  m.eeprom.assign(256, 0);
  for (size_t i = 0; i < 0x80; ++i) m.eeprom[i] = uint8_t(i ^ type);
  uint8_t* a = &m.eeprom[kZorArea27Offset];
  a[0] = 12;
  a[1] = Key(l, "design", 10, &v) ? uint8_t(v) : 0xFF;
  unsigned long serialNo = Key(l, "serial", 10, &v) ? v : 1;
  a[2] = uint8_t(serialNo);
  a[3] = uint8_t(serialNo >> 8);
  const char state[] = "SAMPLE     ";
  for (int i = 0; i < 11; ++i) a[4 + i] = uint8_t(state[i]);
  a[15] = 'A';
  uint32_t date = 2024u << 16 | 1u << 8 | 2u;
  for (int i = 0; i < 4; ++i) a[16 + i] = uint8_t(date >> (8 * i));
  if (Key(l, "variant", 10, &v)) m.variant = uint8_t(v);
  m.areaReadable = !l.keys.count("noarea");
  b->modules[{uint16_t(slot), uint16_t(layer)}] = m;
  return true;
}

}  // namespace

std::string DefaultRackText() {
  return "board 0 type=8 interface=0 address=300 irq=10\n"
         "board 1 type=2 interface=0 address=310 irq=11\n"
         "board 2 type=6 interface=0 address=320 irq=12\n"
         "board 3 type=7 interface=0 address=330 irq=5\n"
         "board 4 type=16 interface=0 address=340 irq=7\n";
}

RackParseResult ParseRack(const std::string& text) {
  RackParseResult r;
  std::istringstream in(text);
  std::string raw;
  // Module lines replace the default module grid of their board.
  std::map<uint16_t, bool> hasModules;
  while (std::getline(in, raw)) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    auto first = raw.find_first_not_of(" \t");
    if (first == std::string::npos || raw[first] == '#') continue;
    Line l = SplitLine(raw);
    bool ok = false;
    if (l.verb == "board") {
      std::unique_ptr<Board> b;
      ok = ParseBoard(l, &b);
      if (ok) {
        for (auto& x : r.boards) ok = ok && x->number != b->number;
        if (ok) r.boards.push_back(std::move(b));
      }
    } else if (l.verb == "module") {
      ok = ParseModule(l, r.boards);
    }
    if (!ok && r.error.empty()) r.error = raw;
  }
  for (auto& b : r.boards) b->PowerOn();
  return r;
}

std::string RackTextFromEnvironment() {
  const char* path = std::getenv("MIRT_BOARDS");
  if (!path || !*path) return DefaultRackText();
  std::ifstream f(path, std::ios::binary);
  if (!f) return DefaultRackText();
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

}  // namespace sim
