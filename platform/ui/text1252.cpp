#include "platform/ui/text1252.h"

#include <cstring>

namespace mirt_ui {
namespace {
// 0x80..0x9F; 0 where the code page has no character (kept as the C1 code).
const char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t ToUnicode(unsigned char b) {
  if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80]) return kHigh[b - 0x80];
  return b;
}
}  // namespace

QString From1252(const char* s, int len) {
  if (!s) return QString();
  if (len < 0) len = static_cast<int>(strlen(s));
  QString out(len, Qt::Uninitialized);
  QChar* d = out.data();
  for (int i = 0; i < len; ++i) d[i] = QChar(ToUnicode(static_cast<unsigned char>(s[i])));
  return out;
}

int CharTo1252(QChar c) {
  char16_t u = c.unicode();
  if (u < 0x80 || (u >= 0xA0 && u < 0x100)) return u;
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == u) return 0x80 + i;
  if (u >= 0x80 && u < 0xA0) return u;
  return -1;
}

std::string To1252(const QString& s) {
  std::string out;
  out.reserve(s.size());
  for (QChar c : s) {
    int b = CharTo1252(c);
    out.push_back(static_cast<char>(b < 0 ? '?' : b));
  }
  return out;
}
}  // namespace mirt_ui
