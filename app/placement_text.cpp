#include "app/placement_text.h"

#include <cstdlib>
#include <cstring>

namespace {
constexpr size_t kPlacementFieldStep = 5;
}

bool ParsePlacementRect(const char* text, RECT& out) {
  if (!text || !*text) return false;
  size_t length = std::strlen(text);
  LONG* fields[] = {&out.left, &out.top, &out.right, &out.bottom};
  for (size_t i = 0; i < 4; ++i) {
    size_t at = i * kPlacementFieldStep;
    *fields[i] = at < length ? std::atoi(text + at) : 0;
  }
  return true;
}

CString FormatPlacementRect(const RECT& rect) {
  CString text;
  text.Format("%04d %04d %04d %04d", static_cast<int>(rect.left), static_cast<int>(rect.top),
              static_cast<int>(rect.right), static_cast<int>(rect.bottom));
  return text;
}
