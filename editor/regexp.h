// Regular expressions for find and replace: the pattern is compiled in two
// passes (size, then emit) into a node program that a backtracking matcher
// runs. Syntax: | ( ) * + ? ^ $ . [set] [^set] \c and literal runs.
#pragma once

#include "platform/base/windef.h"

class RegExp {
 public:
  static constexpr int kGroups = 10;

  RegExp();
  ~RegExp();
  RegExp(const RegExp&) = delete;
  RegExp& operator=(const RegExp&) = delete;

  void Reset();  // clears state, program and match
  void Free();   // frees the program and the match copy

  // Non-zero on success; 0 on a syntax error or a null pattern.
  BOOL Compile(const char* pattern);
  // Offset of the leftmost match in `text`, or -1.
  int Exec(const char* text) { return Exec(text, 0); }
  // The same with attempts starting at `start` only; ^ still means the
  // start of `text`, so a search that goes on inside a line stays right.
  int Exec(const char* text, int start);
  // A new heap text (free()) with & and \0..\9 replaced by the groups of
  // the last match; null when nothing was matched or memory runs out.
  char* Substitute(const char* source) const;
  int MatchLength() const;

  BOOL m_bValid = FALSE;
  char* m_pMatch = nullptr;  // heap copy of the last match
  const char* m_startp[kGroups] = {};
  const char* m_endp[kGroups] = {};
  char m_regstart = 0;
  BOOL m_reganch = FALSE;
  const char* m_regmust = nullptr;
  int m_regmlen = 0;
  unsigned char* m_program = nullptr;

 private:
  using Node = unsigned char*;

  // Compiling.
  Node Reg(bool paren, int* flags);
  Node Branch(int* flags);
  Node Piece(int* flags);
  Node Atom(int* flags);
  Node Set(int* flags);
  Node Literal(int* flags);
  Node Emit(int op);
  void EmitByte(int b);
  void Insert(int op, Node operand);
  void Tail(Node p, Node val);
  void OpTail(Node p, Node val);
  void Optimize(int flags);

  // Matching.
  bool Try(const char* s);
  bool Match(Node prog);
  bool MatchRepeat(Node scan, Node next);
  int Repeat(Node p);

  const char* m_parse = nullptr;
  Node m_emit = nullptr;
  int m_npar = 0;
  long m_size = 0;
  bool m_sizing = false;
  bool m_failed = false;

  const char* m_input = nullptr;
  const char* m_bol = nullptr;
  long m_steps = 0;
  int m_depth = 0;
  bool m_aborted = false;
};
