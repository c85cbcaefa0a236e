#include "debugger/eval_lexer.h"

#include <cstdlib>
#include <string>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsOctal(char c) { return c >= '0' && c <= '7'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

void CEvalLexer::SetInput(const char* text) {
  m_pos = text ? text : "";
  m_pending = 0;
  m_token = TOK_END;
}

void CEvalLexer::PushBack() {
  if (m_pending >= kHistory - 1) return;
  m_cursor = (m_cursor + kHistory - 1) % kHistory;
  ++m_pending;
}

int CEvalLexer::NextToken() {
  if (m_pending > 0) {
    --m_pending;
    m_token = m_history[m_cursor];
    m_cursor = (m_cursor + 1) % kHistory;
    return m_token;
  }
  m_token = Scan();
  Record(m_token);
  return m_token;
}

void CEvalLexer::Record(int token) {
  m_history[m_cursor] = token;
  m_cursor = (m_cursor + 1) % kHistory;
}

int CEvalLexer::Scan() {
  while (Peek() == ' ') ++m_pos;
  char c = Take();
  auto follows = [this](char want) {
    if (Peek() != want) return false;
    ++m_pos;
    return true;
  };
  switch (c) {
    case '\0':
      return TOK_END;
    case '!':
      return follows('=') ? TOK_NE : TOK_NOT;
    case '<':
      return follows('<') ? TOK_SHL : follows('=') ? TOK_LE : TOK_LT;
    case '>':
      return follows('>') ? TOK_SHR : follows('=') ? TOK_GE : TOK_GT;
    case '+':
      return follows('+') ? TOK_INC : TOK_PLUS;
    case '-':
      if (follows('-')) return TOK_DEC;
      if (follows('>')) return follows('*') ? TOK_ARROW_STAR : TOK_ARROW;
      return TOK_MINUS;
    case '&':
      return follows('&') ? TOK_AND : TOK_AMP;
    case '|':
      return follows('|') ? TOK_OR : TOK_BAR;
    case '=':
      return Take() == '=' ? TOK_EQ : TOK_END;
    case '%':
      return TOK_PERCENT;
    case '(':
      return TOK_LPAREN;
    case ')':
      return TOK_RPAREN;
    case '*':
      return TOK_STAR;
    case '/':
      return TOK_SLASH;
    case '[':
      return TOK_LBRACKET;
    case ']':
      return TOK_RBRACKET;
    case '^':
      return TOK_CARET;
    case '~':
      return TOK_TILDE;
    case '.':
      if (follows('*')) return TOK_DOT_STAR;
      if (IsDigit(Peek())) {
        --m_pos;
        return ScanFloat("0");
      }
      return TOK_DOT;
    case '\'':
      m_intValue = Escape();
      Take();  // the closing quote
      return TOK_INT;
    case '"': {
      int n = 0;
      while (Peek() != '"' && Peek() != '\0') {
        int ch = Escape();
        if (n < kTextSize - 1) m_text[n++] = char(ch);
      }
      m_text[n] = '\0';
      Take();
      return TOK_STRING;
    }
    default:
      break;
  }
  if (IsDigit(c)) return ScanNumber(c);
  if (IsLetter(c)) {
    int n = 0;
    m_text[n++] = c;
    while (IsLetter(Peek()) || IsDigit(Peek())) {
      char ch = Take();
      if (n < kTextSize - 1) m_text[n++] = ch;
    }
    m_text[n] = '\0';
    return TOK_IDENT;
  }
  return TOK_OTHER;
}

int CEvalLexer::ScanNumber(char first) {
  if (first == '0') {
    if (Peek() == 'x' || Peek() == 'X') {
      ++m_pos;
      uint32_t v = 0;
      while (HexDigit(Peek()) >= 0) v = v * 16 + uint32_t(HexDigit(Take()));
      m_intValue = int32_t(v);
      return TOK_INT;
    }
    if (Peek() == '.' || Peek() == 'e' || Peek() == 'E') return ScanFloat("0");
    uint32_t v = 0;
    while (IsOctal(Peek())) v = v * 8 + uint32_t(Take() - '0');
    m_intValue = int32_t(v);
    return TOK_INT;
  }
  std::string digits(1, first);
  while (IsDigit(Peek())) {
    char ch = Take();
    if (digits.size() < size_t(kNumberDigits)) digits += ch;
  }
  if (Peek() == '.' || Peek() == 'e' || Peek() == 'E') return ScanFloat(digits.c_str());
  // Decimal value, wrapping in 32 bits as a long does.
  uint32_t v = 0;
  for (char ch : digits) v = v * 10 + uint32_t(ch - '0');
  m_intValue = int32_t(v);
  return TOK_INT;
}

int CEvalLexer::ScanFloat(const char* prefix) {
  std::string text(prefix);
  bool exponent = false;
  for (;;) {
    char ch = Peek();
    bool sign = (ch == '+' || ch == '-') && exponent && (text.back() == 'e' || text.back() == 'E');
    if (!(IsDigit(ch) || ch == '.' || ch == 'e' || ch == 'E' || sign)) break;
    if (ch == 'e' || ch == 'E') exponent = true;
    ++m_pos;
    if (text.size() < size_t(kNumberDigits)) text += ch;
  }
  m_floatValue = std::atof(text.c_str());
  return TOK_FLOAT;
}

int CEvalLexer::Escape() {
  char c = Take();
  if (c != '\\') return static_cast<unsigned char>(c);
  char e = Peek();
  switch (e) {
    case '"':
    case '\'':
    case '?':
    case '\\':
      ++m_pos;
      return e;
    case 'a':
      ++m_pos;
      return 7;
    case 'b':
      ++m_pos;
      return 8;
    case 'f':
      ++m_pos;
      return 12;
    case 'n':
      ++m_pos;
      return 10;
    case 'r':
      ++m_pos;
      return 13;
    case 't':
      ++m_pos;
      return 9;
    case 'v':
      ++m_pos;
      return 11;
    case 'x': {
      ++m_pos;
      int v = 0;
      while (HexDigit(Peek()) >= 0) v = (v * 16 + HexDigit(Take())) & 0xFF;
      return v;
    }
    default:
      break;
  }
  if (IsDigit(e)) {
    int v = 0;
    while (IsOctal(Peek())) v = (v * 8 + (Take() - '0')) & 0xFF;
    return v;
  }
  return 0;  // the character after the backslash stays
}
