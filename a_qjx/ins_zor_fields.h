// The KEY=value fields of a ZOR installation-file line. Keys are found
// where a word starts (at the line's start or after a blank), outside the
// quoted part; a value runs to the next blank, a quoted value from the
// line's first double quote to its last (or to the end when there is one).
#pragma once
#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/windef.h"

class ZorFields {
 public:
  // text: the line in upper case; original: the same line as written.
  ZorFields(const CString& text, const CString& original);

  bool Has(LPCTSTR key) const { return KeyAt(key) >= 0; }
  // The value after key (e.g. "BOARD="); toEnd takes the rest of the line.
  bool Value(LPCTSTR key, CString* value, bool toEnd = false) const;
  // A number of 1 to digits hex digits after key; false when the key is
  // missing or its value is not such a number.
  bool Hex(LPCTSTR key, int digits, DWORD* value) const;
  // Like Hex, but a missing key gives true and leaves value as it was.
  bool OptionalHex(LPCTSTR key, int digits, DWORD* value) const;
  // The quoted text as written; closed: both quotes are required.
  bool Quoted(CString* value, bool closed) const;
  // A word standing alone outside the quoted part (AUTOINIT, ACTIVATE).
  bool HasWord(LPCTSTR word) const;
  // The bytes after key to the end of the line, each 1 or 2 hex digits.
  bool HexBytes(LPCTSTR key, std::vector<BYTE>* bytes) const;

 private:
  int KeyAt(LPCTSTR key) const;
  bool Quoted(int at) const { return at >= quoteFirst_ && quoteFirst_ >= 0 && at <= quoteLast_; }

  CString text_, original_;
  int quoteFirst_ = -1, quoteLast_ = -1;
};
