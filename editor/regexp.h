// Regular expressions for find and replace: the pattern is compiled in two
// passes (size, then emit) into a node program that a backtracking matcher
// runs. Syntax: | ( ) * + ? ^ $ . [set] [^set] \c and literal runs.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editor/literalscan.h"
#include "platform/base/windef.h"

struct RegexFacts;

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
  // Whether Exec first looks for the strings every match holds, or the
  // caller has seen one of them in the text already.
  enum class Prefilter { kLookFirst, kSeen };
  // The same with attempts starting at `start` only; ^ still means the
  // start of `text`, so a search that goes on inside a line stays right.
  int Exec(const char* text, int start, Prefilter prefilter = Prefilter::kLookFirst);
  // The same over the bytes of `text`, whose end is the text's end: no NUL
  // need follow them and none may be among them.
  int ExecIn(std::string_view text, int start, Prefilter prefilter);
  // A new heap text (free()) with & and \0..\9 replaced by the groups of
  // the last match; null when nothing was matched or memory runs out.
  char* Substitute(const char* source) const;
  int MatchLength() const;
  // Strings one of which every match contains (lower case when the pattern
  // is); empty when nothing is known.
  const std::vector<std::string>& RequiredStrings() const { return m_required; }

  BOOL m_bValid = FALSE;
  char* m_pMatch = nullptr;  // copy of the last match, null when there is none
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
  Node Reg(bool paren, int* flags, RegexFacts* facts);
  Node Branch(int* flags, RegexFacts* facts);
  Node Piece(int* flags, RegexFacts* facts);
  Node Atom(int* flags, RegexFacts* facts);
  Node Set(int* flags, RegexFacts* facts);
  Node Literal(int* flags, RegexFacts* facts);
  Node Emit(int op);
  void EmitByte(int b);
  void Insert(int op, Node operand);
  void Tail(Node p, Node val);
  void OpTail(Node p, Node val);
  void Optimize(int flags);
  void LearnStarts(const RegexFacts& facts);
  void BuildSets();

  // Matching.
  int Run(const char* text, const char* from, Prefilter prefilter);
  bool Try(const char* s);
  bool FailsAtOnce(Node prog);
  bool Match(Node prog);
  bool MatchRepeat(Node scan, Node next);
  int Repeat(Node p);
  const char* NextStart(const char* s, const char* end) const;
  const bool* SetOf(Node p) const { return m_sets[m_setAt[p - m_program]].data(); }
  size_t RunLength(Node p, const char* s) const;
  size_t ExactLength(Node p) const { return m_exactLength[p - m_program]; }

  char* m_matchBuffer = nullptr;  // m_pMatch points here after a match
  size_t m_matchRoom = 0;

  const char* m_parse = nullptr;
  Node m_emit = nullptr;
  int m_npar = 0;
  long m_size = 0;
  bool m_sizing = false;
  bool m_failed = false;

  const char* m_input = nullptr;
  const char* m_bol = nullptr;
  const char* m_end = nullptr;  // the end of the text matched
  long m_steps = 0;
  int m_depth = 0;
  bool m_aborted = false;

  // Where an attempt can succeed: at a byte of m_startByte (scanned for
  // m_startKeys when there are few), at the end when m_startAtEnd; every
  // position when m_startAnywhere.
  bool m_startAnywhere = true;
  bool m_startAtEnd = true;
  bool m_startByte[256] = {};
  KeyBytes m_startKeys;  // none: scan by m_startByte
  std::vector<std::string> m_required;
  LiteralScan m_requiredScan;
  // A single-byte repeat the program starts with: a failed attempt rules
  // out the rest of the run of bytes it took.
  Node m_leadRepeat = nullptr;
  // ANYOF and ANYBUT nodes as byte tables, by node offset.
  std::vector<std::array<bool, 256>> m_sets;
  std::vector<unsigned short> m_setAt;
  // EXACTLY nodes' string lengths, by node offset.
  std::vector<unsigned short> m_exactLength;
};
