#include "platform/ui/le_bytes.h"
#include "platform/ui/res_file.h"

#include <QString>

#include "platform/base/charcase.h"
#include "platform/ui/text1252.h"

namespace mirt_ui {
namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(mirt::ToUpper1252(static_cast<unsigned char>(c)));
  return s;
}

// Reads a type or name field at p (within [p, end)); advances p.
bool ReadId(const unsigned char*& p, const unsigned char* end, ResId* id) {
  if (end - p < 2) return false;
  if (LeU16(p) == 0xFFFF) {
    if (end - p < 4) return false;
    id->isOrdinal = true;
    id->ordinal = LeU16(p + 2);
    p += 4;
    return true;
  }
  const unsigned char* s = p;
  size_t n = 0;
  while (end - p >= 2 && LeU16(p) != 0) {
    p += 2;
    ++n;
  }
  if (end - p < 2) return false;
  p += 2;
  id->isOrdinal = false;
  id->name = Upper(Utf16To1252(s, n));
  return true;
}
}  // namespace

std::string Utf16To1252(const unsigned char* p, size_t units) {
  QString s;
  s.reserve(static_cast<qsizetype>(units));
  for (size_t i = 0; i < units; ++i) s.append(QChar(LeU16(p + 2 * i)));
  return To1252(s);
}

ResId MakeResId(const char* s) {
  ResId id;
  if (reinterpret_cast<uintptr_t>(s) >> 16 == 0) {
    id.ordinal = static_cast<uint16_t>(reinterpret_cast<uintptr_t>(s));
    return id;
  }
  if (s[0] == '#') {
    id.ordinal = static_cast<uint16_t>(atoi(s + 1));
    return id;
  }
  id.isOrdinal = false;
  id.name = Upper(s);
  return id;
}

bool ParseResFile(const unsigned char* res, size_t size, std::vector<ResEntry>* out) {
  size_t pos = 0;
  while (pos + 8 <= size) {
    uint32_t dataSize = LeU32(res + pos);
    uint32_t headerSize = LeU32(res + pos + 4);
    if (headerSize < 16 || headerSize > size - pos || dataSize > size - pos - headerSize) return false;
    const unsigned char* p = res + pos + 8;
    const unsigned char* hend = res + pos + headerSize;
    ResEntry e;
    if (!ReadId(p, hend, &e.type) || !ReadId(p, hend, &e.name)) return false;
    size_t off = static_cast<size_t>(p - res);
    off = (off + 3) & ~size_t(3);
    // DataVersion(4), MemoryFlags(2), LanguageId(2), Version(4), Characteristics(4)
    if (off + 16 > pos + headerSize) return false;
    e.language = LeU16(res + off + 6);
    e.data = res + pos + headerSize;
    e.size = dataSize;
    if (!(e.type.isOrdinal && e.type.ordinal == 0)) out->push_back(e);
    pos += headerSize + dataSize;
    pos = (pos + 3) & ~size_t(3);
  }
  return true;
}

}  // namespace mirt_ui
