// The C token scanner of the watch-expression evaluator.
#pragma once

#include <cstdint>

// Token codes.
enum EvalToken {
  TOK_END = 0,
  TOK_EQ = 1,
  TOK_NOT = 2,
  TOK_NE = 3,
  TOK_LT = 4,
  TOK_LE = 5,
  TOK_SHL = 6,
  TOK_GT = 7,
  TOK_GE = 8,
  TOK_SHR = 9,
  TOK_PLUS = 10,
  TOK_INC = 11,
  TOK_MINUS = 12,
  TOK_DEC = 13,
  TOK_ARROW = 14,
  TOK_ARROW_STAR = 15,
  TOK_STAR = 16,
  TOK_SLASH = 17,
  TOK_PERCENT = 18,
  TOK_DOT = 19,
  TOK_DOT_STAR = 20,
  TOK_AMP = 21,
  TOK_AND = 22,
  TOK_TILDE = 23,
  TOK_BAR = 25,
  TOK_OR = 26,
  TOK_CARET = 27,
  TOK_LPAREN = 28,
  TOK_RPAREN = 29,
  TOK_LBRACKET = 30,
  TOK_RBRACKET = 31,
  TOK_IDENT = 50,
  TOK_INT = 60,
  TOK_FLOAT = 61,
  TOK_STRING = 63,
  TOK_OTHER = -1,
};

class CEvalLexer {
 public:
  static const int kTextSize = 260;      // identifier and string buffer
  static const int kNumberDigits = 255;  // longest number text kept

  // Starts on a NUL-terminated text (not copied).
  void SetInput(const char* text);
  // The next token; a pushed-back token is returned again first. At the
  // end of the text the end token comes again and again.
  int NextToken();
  // Gives back the token last returned (up to four in a row).
  void PushBack();

  int32_t m_intValue = 0;
  char m_text[kTextSize] = {};
  double m_floatValue = 0;

 private:
  int Scan();
  int ScanNumber(char first);
  int ScanFloat(const char* prefix);
  int Escape();
  char Peek() const { return *m_pos; }
  // Takes the next character unless the text has ended.
  char Take() { return *m_pos ? *m_pos++ : '\0'; }
  void Record(int token);

  static const int kHistory = 5;
  const char* m_pos = "";
  int m_token = TOK_END;
  int m_pending = 0;
  int m_history[kHistory] = {};
  int m_cursor = 0;  // slot after the token last returned
};
