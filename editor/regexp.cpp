#include "editor/regexp.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "editor/regexfacts.h"

namespace {

enum Op {
  END = 0,
  BOL = 1,
  EOL = 2,
  ANY = 3,
  ANYOF = 4,
  ANYBUT = 5,
  BRANCH = 6,
  BACK = 7,
  EXACTLY = 8,
  NOTHING = 9,
  STAR = 10,
  PLUS = 11,
  OPEN = 20,
  CLOSE = 30,
};

// Parse flags.
enum { HASWIDTH = 1, SIMPLE = 2, SPSTART = 4, WORST = 0 };

const char kMeta[] = "^$.[()|?+*\\";
const long kMaxProgram = 0x7FFF;  // next offsets are 16 bits
const long kMaxSteps = 4000000;   // work allowed for one Exec
const int kMaxDepth = 8000;       // nesting of the backtracking matcher

unsigned char kDummy[3];

inline int OpOf(const unsigned char* p) { return p[0]; }
inline int NextOffset(const unsigned char* p) { return p[1] | (p[2] << 8); }
inline unsigned char* Operand(unsigned char* p) { return p + 3; }
inline bool IsMult(char c) { return c == '*' || c == '+' || c == '?'; }

unsigned char* NextNode(unsigned char* p) {
  if (p == kDummy) return nullptr;
  int off = NextOffset(p);
  if (off == 0) return nullptr;
  return OpOf(p) == BACK ? p - off : p + off;
}

}  // namespace

RegExp::RegExp() = default;

RegExp::~RegExp() { Free(); }

void RegExp::Free() {
  std::free(m_program);
  m_program = nullptr;
  std::free(m_matchBuffer);
  m_matchBuffer = m_pMatch = nullptr;
  m_matchRoom = 0;
}

void RegExp::Reset() {
  Free();
  m_bValid = FALSE;
  for (int i = 0; i < kGroups; ++i) m_startp[i] = m_endp[i] = nullptr;
  m_regstart = 0;
  m_reganch = FALSE;
  m_regmust = nullptr;
  m_regmlen = 0;
  m_startAnywhere = m_startAtEnd = true;
  m_startKeys.Clear();
  m_required.clear();
  m_requiredScan.Set({}, LiteralScan::Fold::kExact);
  m_leadRepeat = nullptr;
  m_sets.clear();
  m_setAt.clear();
  m_exactLength.clear();
}

// ---- compiling -------------------------------------------------------------

BOOL RegExp::Compile(const char* pattern) {
  Reset();
  if (pattern == nullptr) return FALSE;
  int flags = 0;
  RegexFacts facts;
  // First pass: size only.
  m_sizing = true;
  m_failed = false;
  m_parse = pattern;
  m_npar = 1;
  m_size = 0;
  m_emit = kDummy;
  if (Reg(false, &flags, &facts) == nullptr || m_failed || m_size >= kMaxProgram) return FALSE;
  // Second pass: emit.
  m_program = static_cast<unsigned char*>(std::calloc(1, m_size + 1));
  if (m_program == nullptr) return FALSE;
  m_sizing = false;
  m_parse = pattern;
  m_npar = 1;
  m_emit = m_program;
  if (Reg(false, &flags, &facts) == nullptr || m_failed) {
    Reset();
    return FALSE;
  }
  Optimize(flags);
  BuildSets();
  LearnStarts(facts);
  m_bValid = TRUE;
  return TRUE;
}

void RegExp::Optimize(int flags) {
  Node scan = m_program;  // the first BRANCH
  if (OpOf(NextNode(scan)) != END) return;
  scan = Operand(scan);
  if (OpOf(scan) == EXACTLY)
    m_regstart = static_cast<char>(*Operand(scan));
  else if (OpOf(scan) == BOL)
    m_reganch = TRUE;
  if (!(flags & SPSTART)) return;
  const char* longest = nullptr;
  size_t len = 0;
  for (; scan != nullptr; scan = NextNode(scan)) {
    if (OpOf(scan) != EXACTLY) continue;
    const char* s = reinterpret_cast<const char*>(Operand(scan));
    if (std::strlen(s) >= len) {
      longest = s;
      len = std::strlen(s);
    }
  }
  m_regmust = longest;
  m_regmlen = static_cast<int>(len);
}

// Walks the program node by node (an operand follows its node).
void RegExp::BuildSets() {
  m_setAt.assign(m_size + 1, 0);
  m_exactLength.assign(m_size + 1, 0);
  m_sets.assign(1, {});
  for (long at = 0; at + 3 <= m_size;) {
    Node p = m_program + at;
    int op = OpOf(p);
    at += 3;
    if (op != EXACTLY && op != ANYOF && op != ANYBUT) continue;
    const char* operand = reinterpret_cast<const char*>(Operand(p));
    size_t length = std::strlen(operand);
    at += static_cast<long>(length) + 1;
    if (op == EXACTLY) {
      m_exactLength[p - m_program] = static_cast<unsigned short>(length);
      continue;
    }
    std::array<bool, 256> table{};
    for (const char* c = operand; *c != '\0'; ++c) table[static_cast<unsigned char>(*c)] = true;
    if (op == ANYBUT) {
      for (bool& in : table) in = !in;
    }
    table[0] = false;
    m_setAt[p - m_program] = static_cast<unsigned short>(m_sets.size());
    m_sets.push_back(table);
  }
}

void RegExp::LearnStarts(const RegexFacts& facts) {
  Node top = m_program;
  if (OpOf(top) == BRANCH && OpOf(NextNode(top)) == END) {
    Node lead = Operand(top);
    if (OpOf(lead) == STAR || OpOf(lead) == PLUS) m_leadRepeat = Operand(lead);
  }
  m_required = facts.Required();
  m_requiredScan.Set(m_required, LiteralScan::Fold::kExact);
  m_startAnywhere = facts.nullable;
  m_startAtEnd = facts.first[RegexFacts::kEnd];
  m_startKeys.Clear();
  bool few = true;
  for (int c = 0; c < 256; ++c) {
    m_startByte[c] = c != 0 && facts.first[c];
    if (m_startByte[c] && few) few = m_startKeys.Add(static_cast<unsigned char>(c));
  }
  if (!few) m_startKeys.Clear();  // too many: scan by the table
}

// A main expression or a parenthesized one: branches joined by |.
RegExp::Node RegExp::Reg(bool paren, int* flagp, RegexFacts* facts) {
  *flagp = HASWIDTH;
  Node ret = nullptr;
  int parno = 0;
  if (paren) {
    if (m_npar >= kGroups) return nullptr;
    parno = m_npar++;
    ret = Emit(OPEN + parno);
  }
  int flags;
  Node br = Branch(&flags, facts);
  if (br == nullptr) return nullptr;
  if (ret != nullptr)
    Tail(ret, br);
  else
    ret = br;
  if (!(flags & HASWIDTH)) *flagp &= ~HASWIDTH;
  *flagp |= flags & SPSTART;
  while (*m_parse == '|') {
    ++m_parse;
    RegexFacts other;
    br = Branch(&flags, &other);
    if (br == nullptr) return nullptr;
    facts->Or(other);
    Tail(ret, br);
    if (!(flags & HASWIDTH)) *flagp &= ~HASWIDTH;
    *flagp |= flags & SPSTART;
  }
  Node ender = Emit(paren ? CLOSE + parno : END);
  Tail(ret, ender);
  for (br = ret; br != nullptr; br = NextNode(br)) OpTail(br, ender);
  if (paren) {
    if (*m_parse++ != ')') return nullptr;
  } else if (*m_parse != '\0') {
    return nullptr;  // an unmatched ) or junk
  }
  return ret;
}

// One alternative: a concatenation of pieces.
RegExp::Node RegExp::Branch(int* flagp, RegexFacts* facts) {
  *flagp = WORST;
  *facts = RegexFacts::Empty();
  Node ret = Emit(BRANCH);
  Node chain = nullptr;
  while (*m_parse != '\0' && *m_parse != '|' && *m_parse != ')') {
    int flags;
    RegexFacts piece;
    Node latest = Piece(&flags, &piece);
    if (latest == nullptr) return nullptr;
    facts->Then(piece);
    *flagp |= flags & HASWIDTH;
    if (chain == nullptr)
      *flagp |= flags & SPSTART;
    else
      Tail(chain, latest);
    chain = latest;
  }
  if (chain == nullptr) Emit(NOTHING);
  return ret;
}

// An atom with an optional *, + or ?.
RegExp::Node RegExp::Piece(int* flagp, RegexFacts* facts) {
  int flags;
  Node ret = Atom(&flags, facts);
  if (ret == nullptr) return nullptr;
  char op = *m_parse;
  if (!IsMult(op)) {
    *flagp = flags;
    return ret;
  }
  if (!(flags & HASWIDTH) && op != '?') return nullptr;  // operand could be empty
  // Anything repeated at the start marks the branch for the required-text
  // test; + keeps its width.
  *flagp = op != '+' ? (WORST | SPSTART) : (WORST | HASWIDTH | SPSTART);
  facts->Repeated(op == '*'   ? RegexFacts::Repeat::kZeroOrMore
                  : op == '+' ? RegexFacts::Repeat::kOneOrMore
                              : RegexFacts::Repeat::kZeroOrOne);
  if (op == '*' && (flags & SIMPLE)) {
    Insert(STAR, ret);
  } else if (op == '*') {
    // x* becomes (x&|): loop back or take nothing.
    Insert(BRANCH, ret);
    OpTail(ret, Emit(BACK));
    OpTail(ret, ret);
    Tail(ret, Emit(BRANCH));
    Tail(ret, Emit(NOTHING));
  } else if (op == '+' && (flags & SIMPLE)) {
    Insert(PLUS, ret);
  } else if (op == '+') {
    // x+ becomes x(&|): x, then loop back or take nothing.
    Node next = Emit(BRANCH);
    Tail(ret, next);
    Tail(Emit(BACK), ret);
    Tail(next, Emit(BRANCH));
    Tail(ret, Emit(NOTHING));
  } else {
    // x? becomes (x|).
    Insert(BRANCH, ret);
    Tail(ret, Emit(BRANCH));
    Node next = Emit(NOTHING);
    Tail(ret, next);
    OpTail(ret, next);
  }
  ++m_parse;
  if (IsMult(*m_parse)) return nullptr;  // nested *?+
  return ret;
}

RegExp::Node RegExp::Atom(int* flagp, RegexFacts* facts) {
  *flagp = WORST;
  *facts = RegexFacts::Empty();
  switch (*m_parse++) {
    case '^':
      return Emit(BOL);
    case '$':
      *facts = RegexFacts::EndOfText();
      return Emit(EOL);
    case '.':
      *flagp |= HASWIDTH | SIMPLE;
      *facts = RegexFacts::Set(std::bitset<256>().set());
      return Emit(ANY);
    case '[':
      return Set(flagp, facts);
    case '(': {
      int flags;
      Node ret = Reg(true, &flags, facts);
      if (ret == nullptr) return nullptr;
      *flagp |= flags & (HASWIDTH | SPSTART);
      return ret;
    }
    case '\0':
    case '|':
    case ')':
    case '?':
    case '+':
    case '*':
      return nullptr;  // nothing to repeat, or an empty group end
    case '\\': {
      if (*m_parse == '\0') return nullptr;
      Node ret = Emit(EXACTLY);
      *facts = RegexFacts::Literal(m_parse, 1);
      EmitByte(static_cast<unsigned char>(*m_parse++));
      EmitByte('\0');
      *flagp |= HASWIDTH | SIMPLE;
      return ret;
    }
    default:
      --m_parse;
      return Literal(flagp, facts);
  }
}

// [set] or [^set]; ] or - first are literal, a-z a range, - last literal.
RegExp::Node RegExp::Set(int* flagp, RegexFacts* facts) {
  Node ret;
  bool negated = *m_parse == '^';
  if (negated) {
    ret = Emit(ANYBUT);
    ++m_parse;
  } else {
    ret = Emit(ANYOF);
  }
  std::bitset<256> bytes;
  auto add = [this, &bytes](int b) {
    bytes.set(static_cast<unsigned char>(b));
    EmitByte(b);
  };
  if (*m_parse == ']' || *m_parse == '-') add(static_cast<unsigned char>(*m_parse++));
  while (*m_parse != '\0' && *m_parse != ']') {
    if (*m_parse != '-') {
      add(static_cast<unsigned char>(*m_parse++));
      continue;
    }
    ++m_parse;
    if (*m_parse == ']' || *m_parse == '\0') {
      add('-');
      continue;
    }
    int from = static_cast<unsigned char>(m_parse[-2]) + 1;
    int to = static_cast<unsigned char>(*m_parse);
    if (from > to + 1) return nullptr;  // reversed range
    for (; from <= to; ++from) add(from);
    ++m_parse;
  }
  EmitByte('\0');
  if (*m_parse != ']') return nullptr;  // unterminated set
  ++m_parse;
  *flagp |= HASWIDTH | SIMPLE;
  if (negated) bytes.flip();
  bytes.reset(0);
  *facts = RegexFacts::Set(bytes);
  return ret;
}

// A run of ordinary characters; a run followed by *, + or ? leaves its
// last character to that operator.
RegExp::Node RegExp::Literal(int* flagp, RegexFacts* facts) {
  size_t len = std::strcspn(m_parse, kMeta);
  if (len == 0) return nullptr;
  if (len > 1 && IsMult(m_parse[len])) --len;
  *facts = RegexFacts::Literal(m_parse, len);
  *flagp |= HASWIDTH;
  if (len == 1) *flagp |= SIMPLE;
  Node ret = Emit(EXACTLY);
  while (len-- > 0) EmitByte(static_cast<unsigned char>(*m_parse++));
  EmitByte('\0');
  return ret;
}

RegExp::Node RegExp::Emit(int op) {
  if (m_sizing) {
    m_size += 3;
    return kDummy;
  }
  Node ret = m_emit;
  m_emit[0] = static_cast<unsigned char>(op);
  m_emit[1] = m_emit[2] = 0;
  m_emit += 3;
  return ret;
}

void RegExp::EmitByte(int b) {
  if (m_sizing) {
    ++m_size;
    return;
  }
  // A range can never emit a NUL inside the set, so the operand stays whole.
  *m_emit++ = static_cast<unsigned char>(b);
}

// Inserts an operator node in front of an already emitted operand.
void RegExp::Insert(int op, Node operand) {
  if (m_sizing) {
    m_size += 3;
    return;
  }
  std::memmove(operand + 3, operand, m_emit - operand);
  m_emit += 3;
  operand[0] = static_cast<unsigned char>(op);
  operand[1] = operand[2] = 0;
}

// Sets the next pointer of the last node of the chain at p.
void RegExp::Tail(Node p, Node val) {
  if (m_sizing || p == kDummy) return;
  Node scan = p;
  for (Node n; (n = NextNode(scan)) != nullptr;) scan = n;
  long off = OpOf(scan) == BACK ? scan - val : val - scan;
  scan[1] = static_cast<unsigned char>(off & 0xFF);
  scan[2] = static_cast<unsigned char>((off >> 8) & 0xFF);
}

// Tail on the operand of a BRANCH node; nothing for other nodes.
void RegExp::OpTail(Node p, Node val) {
  if (m_sizing || p == nullptr || p == kDummy || OpOf(p) != BRANCH) return;
  Tail(Operand(p), val);
}

// ---- matching --------------------------------------------------------------

int RegExp::Exec(const char* text, int start, Prefilter prefilter) {
  m_pMatch = nullptr;
  if (!m_bValid || text == nullptr || start < 0) return -1;
  if (start > 0 && std::memchr(text, '\0', start) != nullptr) return -1;  // start lies beyond the text
  m_end = text + start + std::strlen(text + start);
  return Run(text, text + start, prefilter);
}

int RegExp::ExecIn(std::string_view text, int start, Prefilter prefilter) {
  m_pMatch = nullptr;
  if (!m_bValid || text.data() == nullptr || start < 0 || static_cast<size_t>(start) > text.size()) return -1;
  m_end = text.data() + text.size();
  return Run(text.data(), text.data() + start, prefilter);
}

// The leftmost match in [from, m_end) of the text that begins at `text`.
int RegExp::Run(const char* text, const char* from, Prefilter prefilter) {
  const char* end = m_end;
  if (prefilter == Prefilter::kLookFirst) {
    if (m_regmust != nullptr &&
        std::string_view(from, end - from).find(std::string_view(m_regmust, m_regmlen)) ==
            std::string_view::npos)
      return -1;
    if (!m_requiredScan.Empty() && m_requiredScan.Find(from, end - from) < 0) return -1;
  }
  m_bol = text;
  m_steps = 0;
  m_aborted = false;
  const char* hit = nullptr;
  if (m_reganch) {
    if (from == text && Try(text)) hit = text;
  } else if (!m_startAnywhere) {
    // Only where a match can start: a byte it can start with, or the end.
    for (const char* s = from; !m_aborted; ++s) {
      s = NextStart(s, end);
      if (s == end && !m_startAtEnd) break;
      if (Try(s)) {
        hit = s;
        break;
      }
      if (s == end) break;
      // Attempts inside the run would try a part of the same ends.
      if (m_leadRepeat != nullptr) s += std::max<size_t>(RunLength(m_leadRepeat, s), 1) - 1;
    }
  } else {
    const char* s = from;
    do {
      if (Try(s)) {
        hit = s;
        break;
      }
    } while (s++ != end && !m_aborted);
  }
  if (hit == nullptr) {
    for (int i = 0; i < kGroups; ++i) m_startp[i] = m_endp[i] = nullptr;
    return -1;
  }
  // The copy of the match reuses its block while it fits.
  size_t n = m_endp[0] - m_startp[0];
  if (n + 1 > m_matchRoom) {
    std::free(m_matchBuffer);
    m_matchRoom = std::max<size_t>(n + 1, 64);
    m_matchBuffer = static_cast<char*>(std::malloc(m_matchRoom));
    if (m_matchBuffer == nullptr) m_matchRoom = 0;
  }
  if (m_matchBuffer != nullptr) {
    std::memcpy(m_matchBuffer, m_startp[0], n);
    m_matchBuffer[n] = '\0';
    m_pMatch = m_matchBuffer;
  }
  return static_cast<int>(hit - text);
}

bool RegExp::Try(const char* s) {
  m_input = s;
  // Groups the program does not have stay null from Compile on.
  for (int i = 0; i < m_npar; ++i) m_startp[i] = m_endp[i] = nullptr;
  m_depth = 0;
  if (!Match(m_program) || m_aborted) return false;
  m_startp[0] = s;
  m_endp[0] = m_input;
  return true;
}

// Whether Match(prog) at m_input would fail at its first node, a string
// whose first byte is not there: the work it would count is counted.
bool RegExp::FailsAtOnce(Node prog) {
  if (OpOf(prog) != EXACTLY || (m_input != m_end && *Operand(prog) == static_cast<unsigned char>(*m_input)))
    return false;
  if (m_depth + 1 > kMaxDepth || ++m_steps > kMaxSteps) m_aborted = true;
  return true;
}

// Runs the program from prog at m_input; on success m_input is past the match.
bool RegExp::Match(Node prog) {
  if (++m_depth > kMaxDepth) m_aborted = true;
  struct Leave {
    int& depth;
    ~Leave() { --depth; }
  } leave{m_depth};
  for (Node scan = prog; scan != nullptr;) {
    if (m_aborted || ++m_steps > kMaxSteps) {
      m_aborted = true;
      return false;
    }
    Node next = NextNode(scan);
    int op = OpOf(scan);
    switch (op) {
      case BOL:
        if (m_input != m_bol) return false;
        break;
      case EOL:
        if (m_input != m_end) return false;
        break;
      case ANY:
        if (m_input == m_end) return false;
        ++m_input;
        break;
      case EXACTLY: {
        const char* opnd = reinterpret_cast<const char*>(Operand(scan));
        size_t len = ExactLength(scan);
        if (m_input == m_end || *opnd != *m_input) return false;
        if (len > 1 && (static_cast<size_t>(m_end - m_input) < len || !SameBytes(opnd, m_input, len)))
          return false;
        m_input += len;
        break;
      }
      case ANYOF:
      case ANYBUT: {
        if (m_input == m_end) return false;
        if (!SetOf(scan)[static_cast<unsigned char>(*m_input)]) return false;
        ++m_input;
        break;
      }
      case NOTHING:
      case BACK:
        break;
      case BRANCH: {
        if (next == nullptr || OpOf(next) != BRANCH) {
          next = Operand(scan);  // only one choice: no recursion
          break;
        }
        do {
          const char* save = m_input;
          if (!FailsAtOnce(Operand(scan)) && Match(Operand(scan))) return true;
          m_input = save;
          scan = NextNode(scan);
        } while (scan != nullptr && OpOf(scan) == BRANCH && !m_aborted);
        return false;
      }
      case STAR:
      case PLUS:
        return MatchRepeat(scan, next);
      case END:
        return true;
      default:
        if (op > OPEN && op < OPEN + kGroups) {
          const char* save = m_input;
          if (!Match(next)) return false;
          if (m_startp[op - OPEN] == nullptr) m_startp[op - OPEN] = save;
          return true;
        }
        if (op > CLOSE && op < CLOSE + kGroups) {
          const char* save = m_input;
          if (!Match(next)) return false;
          if (m_endp[op - CLOSE] == nullptr) m_endp[op - CLOSE] = save;
          return true;
        }
        return false;  // not a node of ours
    }
    scan = next;
  }
  return false;
}

const char* RegExp::NextStart(const char* s, const char* end) const {
  if (m_startKeys.count > 0) {
    const char* at = FindAnyByte(s, end, m_startKeys);
    return at != nullptr ? at : end;
  }
  while (s < end && !m_startByte[static_cast<unsigned char>(*s)]) ++s;
  return s;
}

// Takes as many as the operand allows, then gives back one at a time.
bool RegExp::MatchRepeat(Node scan, Node next) {
  char nextch = (next != nullptr && OpOf(next) == EXACTLY) ? static_cast<char>(*Operand(next)) : 0;
  int min = OpOf(scan) == STAR ? 0 : 1;
  const char* save = m_input;
  int no = Repeat(Operand(scan));
  while (no >= min) {
    if (nextch == 0 || (m_input != m_end && *m_input == nextch)) {
      if (Match(next)) return true;
      if (m_aborted) return false;
    }
    if (++m_steps > kMaxSteps) {
      m_aborted = true;
      return false;
    }
    --no;
    m_input = save + no;
  }
  return false;
}

int RegExp::Repeat(Node p) {
  size_t count = RunLength(p, m_input);
  m_input += count;
  return static_cast<int>(count);
}

// Bytes from s on that the single-byte node p matches one after another.
size_t RegExp::RunLength(Node p, const char* s) const {
  const char* opnd = reinterpret_cast<const char*>(Operand(p));
  size_t room = static_cast<size_t>(m_end - s);
  size_t count = 0;
  switch (OpOf(p)) {
    case ANY:
      count = room;
      break;
    case EXACTLY:
      while (count < room && s[count] == *opnd) ++count;
      break;
    case ANYOF:
    case ANYBUT: {
      const bool* in = SetOf(p);
      while (count < room && in[static_cast<unsigned char>(s[count])]) ++count;
      break;
    }
    default:
      break;
  }
  return count;
}

// ---- results ---------------------------------------------------------------

int RegExp::MatchLength() const {
  if (m_startp[0] == nullptr || m_endp[0] == nullptr) return 0;
  return static_cast<int>(m_endp[0] - m_startp[0]);
}

char* RegExp::Substitute(const char* source) const {
  if (!m_bValid || source == nullptr || m_startp[0] == nullptr) return nullptr;
  // Walks the template once to measure (out null) and once to build.
  auto walk = [this, source](char* out) {
    size_t n = 0;
    for (const char* s = source; *s != '\0'; ++s) {
      int no = -1;
      char c = *s;
      if (c == '&')
        no = 0;
      else if (c == '\\' && s[1] >= '0' && s[1] <= '9')
        no = *++s - '0';
      if (no < 0) {
        if (c == '\\' && (s[1] == '\\' || s[1] == '&')) c = *++s;
        if (out != nullptr) out[n] = c;
        ++n;
      } else if (m_startp[no] != nullptr && m_endp[no] != nullptr && m_endp[no] > m_startp[no]) {
        size_t len = m_endp[no] - m_startp[no];
        if (out != nullptr) std::memcpy(out + n, m_startp[no], len);
        n += len;
      }
    }
    return n;
  };
  size_t len = walk(nullptr);
  char* out = static_cast<char*>(std::malloc(len + 1));
  if (out == nullptr) return nullptr;
  walk(out);
  out[len] = '\0';
  return out;
}
