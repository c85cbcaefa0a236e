#include "a_qjx/hex_mask.h"

#include <cctype>

void HexMask::SetMask(const CString& mask) {
  mask_ = mask;
  display_.Empty();
  for (int i = 0; i < mask_.GetLength(); ++i) display_ += IsLiteral(i) ? mask_[i] : prompt;
}

void HexMask::SetValue(const CString& value) {
  display_.Empty();
  int next = 0;
  for (int i = 0; i < mask_.GetLength(); ++i) {
    if (IsLiteral(i))
      display_ += mask_[i];
    else
      display_ += next < value.GetLength() ? value[next++] : prompt;
  }
}

CString HexMask::GetValue() const {
  CString value;
  for (int i = 0; i < mask_.GetLength() && i < display_.GetLength(); ++i)
    if (!IsLiteral(i)) value += display_[i];
  return value;
}

bool HexMask::IsLiteral(int position) const {
  if (position < 0 || position >= mask_.GetLength()) return false;
  const char m = mask_[position];
  return m != '#' && m != '?' && m != 'h';
}

bool HexMask::AcceptChar(int position, char typed, char* taken) const {
  if (position < 0 || position >= mask_.GetLength()) return false;
  const unsigned char u = static_cast<unsigned char>(typed);
  bool ok = true;
  switch (mask_[position]) {
    case '#':
      ok = std::isdigit(u) != 0;
      break;
    case '?':
      ok = std::isalpha(u) != 0;
      break;
    case 'h':
      ok = std::isxdigit(u) != 0;
      break;
    default:
      *taken = mask_[position];
      return true;
  }
  if (ok) *taken = typed;
  return ok;
}

int HexMask::NextCaretPos(int position, LastKey key) const {
  if (key == LastKey::Backspace) {
    while (position > 0 && IsLiteral(position - 1)) --position;
    return position;
  }
  while (position < mask_.GetLength() && IsLiteral(position)) ++position;
  return position;
}

void HexMask::ClearAt(int position) {
  if (position < 0 || position >= display_.GetLength()) return;
  display_.SetAt(position, IsLiteral(position) ? mask_[position] : prompt);
}

void HexMask::SetAt(int position, char c) {
  while (display_.GetLength() <= position) display_ += prompt;
  display_.SetAt(position, c);
}
