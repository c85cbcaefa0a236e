#include "a_qjx/ins_zor_fields.h"

#include <cstdlib>
#include <cstring>

#include "a_qjx/ins_interpreter.h"

namespace {

constexpr const char* kHexDigits = "0123456789ABCDEFabcdef";
constexpr const char* kBlanks = " \t";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

ZorFields::ZorFields(const CString& text, const CString& original) : text_(text), original_(original) {
  quoteFirst_ = text_.Find('"');
  quoteLast_ = text_.ReverseFind('"');
  if (quoteFirst_ >= 0 && quoteLast_ == quoteFirst_) quoteLast_ = text_.GetLength();
}

int ZorFields::KeyAt(LPCTSTR key) const {
  for (int at = text_.Find(key); at >= 0; at = text_.Find(key, at + 1))
    if ((at == 0 || IsBlank(text_[at - 1])) && !Quoted(at)) return at;
  return -1;
}

bool ZorFields::Value(LPCTSTR key, CString* value, bool toEnd) const {
  int at = KeyAt(key);
  if (at < 0) return false;
  CString rest = text_.Mid(at + int(std::strlen(key)));
  if (!toEnd) {
    int end = rest.FindOneOf(kBlanks);
    if (end >= 0) rest = rest.Left(end);
  }
  *value = rest;
  return true;
}

bool ZorFields::Hex(LPCTSTR key, int digits, DWORD* value) const {
  CString text;
  if (!Value(key, &text) || text.IsEmpty() || !InsInterpreter::IsOfChars(text, digits, kHexDigits))
    return false;
  *value = DWORD(std::strtoul(text, nullptr, 16));
  return true;
}

bool ZorFields::OptionalHex(LPCTSTR key, int digits, DWORD* value) const {
  return !Has(key) || Hex(key, digits, value);
}

bool ZorFields::Quoted(CString* value, bool closed) const {
  if (quoteFirst_ < 0) return false;
  if (closed && quoteLast_ >= text_.GetLength()) return false;
  *value = original_.Mid(quoteFirst_ + 1, quoteLast_ - quoteFirst_ - 1);
  return true;
}

bool ZorFields::HasWord(LPCTSTR word) const {
  const int n = int(std::strlen(word));
  for (int at = text_.Find(word); at >= 0; at = text_.Find(word, at + 1)) {
    bool startsWord = at == 0 || IsBlank(text_[at - 1]);
    bool endsWord = at + n == text_.GetLength() || IsBlank(text_[at + n]);
    if (startsWord && endsWord && !Quoted(at)) return true;
  }
  return false;
}

bool ZorFields::HexBytes(LPCTSTR key, std::vector<BYTE>* bytes) const {
  CString rest;
  if (!Value(key, &rest, true)) return false;
  bytes->clear();
  rest.TrimLeft();
  rest.TrimRight();
  while (!rest.IsEmpty()) {
    int end = rest.FindOneOf(kBlanks);
    CString token = end < 0 ? rest : rest.Left(end);
    if (!InsInterpreter::IsOfChars(token, 2, kHexDigits)) return false;
    bytes->push_back(BYTE(std::strtoul(token, nullptr, 16)));
    rest = end < 0 ? CString() : rest.Mid(end);
    rest.TrimLeft();
  }
  return true;
}
