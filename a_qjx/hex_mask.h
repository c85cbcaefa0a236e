// The text rules of the hex-digit edit: a mask of "#" (decimal digit), "?"
// (letter), "h" (hex digit) and literals, and the display text shaped by it.
#pragma once
#include "platform/base/cstring.h"

class HexMask {
 public:
  void SetMask(const CString& mask);
  void SetValue(const CString& value);
  CString GetValue() const;
  bool IsLiteral(int position) const;
  // The character a position takes for a typed one; false when refused.
  bool AcceptChar(int position, char typed, char* taken) const;
  enum class LastKey { Backspace, Other };
  int NextCaretPos(int position, LastKey key) const;

  const CString& Display() const { return display_; }
  // The display character at a position becomes its literal or the prompt.
  void ClearAt(int position);
  // The display character at a position becomes c (lengthening the text).
  void SetAt(int position, char c);

  char prompt = '0';

 private:
  CString mask_;
  CString display_;
};
