// The regular-expression engine and the search built on it against a plain
// reference matcher, over generated patterns and texts: a pattern tree is
// drawn at random, written out in the engine's syntax and matched by both.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "editor/literalscan.h"
#include "editor/regexp.h"
#include "editor/textsearch.h"
#include "tests/editor/edit_test_util.h"

namespace {

constexpr unsigned kSeed = 20261210;
constexpr int kPatterns = 3000;
constexpr int kTextsPerPattern = 8;
constexpr int kMaxTextLength = 14;
// Bytes of the texts; patterns use them too (É and é differ only in case).
constexpr char kAlphabet[] = "abcAB_(x \xC9\xE9";
// Bytes after a text that ExecIn is given without them: none may be matched.
constexpr char kBeyondTheText[] = "abc(x";

// A pattern tree; the reference walks it with a continuation per step.
struct Node {
  enum Kind { kLiteral, kSet, kAny, kBol, kEol, kConcat, kAlt, kStar, kPlus, kQuest, kGroup } kind;
  std::string text;  // kLiteral: the bytes; kSet: the members
  bool negated = false;
  std::vector<std::unique_ptr<Node>> kids;
};

using Next = std::function<bool(size_t)>;

// Leftmost, first alternative first, greedy repeats that give back.
class Reference {
 public:
  explicit Reference(const std::string& text) : m_text(text) {}

  // Offset and length of the leftmost match starting at or after `from`.
  bool Find(const Node& root, size_t from, size_t* at, size_t* length) const {
    for (size_t s = from; s <= m_text.size(); ++s) {
      size_t end = 0;
      if (Match(root, s, [&end](size_t e) {
            end = e;
            return true;
          })) {
        *at = s;
        *length = end - s;
        return true;
      }
    }
    return false;
  }

 private:
  bool Match(const Node& n, size_t p, const Next& next) const {
    switch (n.kind) {
      case Node::kLiteral:
        return m_text.compare(p, n.text.size(), n.text) == 0 && next(p + n.text.size());
      case Node::kSet:
        return p < m_text.size() && (n.text.find(m_text[p]) != std::string::npos) != n.negated && next(p + 1);
      case Node::kAny:
        return p < m_text.size() && next(p + 1);
      case Node::kBol:
        return p == 0 && next(p);
      case Node::kEol:
        return p == m_text.size() && next(p);
      case Node::kConcat:
        return Sequence(n, 0, p, next);
      case Node::kAlt:
        for (const auto& kid : n.kids) {
          if (Match(*kid, p, next)) return true;
        }
        return false;
      case Node::kStar:
        return Repeat(*n.kids[0], p, next);
      case Node::kPlus:
        return Match(*n.kids[0], p, [&](size_t q) { return Repeat(*n.kids[0], q, next); });
      case Node::kQuest:
        return Match(*n.kids[0], p, next) || next(p);
      case Node::kGroup:
        return Match(*n.kids[0], p, next);
    }
    return false;
  }

  bool Sequence(const Node& n, size_t i, size_t p, const Next& next) const {
    if (i == n.kids.size()) return next(p);
    return Match(*n.kids[i], p, [&](size_t q) { return Sequence(n, i + 1, q, next); });
  }

  bool Repeat(const Node& x, size_t p, const Next& next) const {
    return Match(x, p, [&](size_t q) { return q > p && Repeat(x, q, next); }) || next(p);
  }

  const std::string& m_text;
};

class Generator {
 public:
  explicit Generator(unsigned seed) : m_random(seed) {}

  int Below(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }
  char Byte() { return kAlphabet[Below(sizeof kAlphabet - 1)]; }

  std::string Text() {
    std::string t;
    for (int n = Below(kMaxTextLength + 1); n > 0; --n) t += Byte();
    return t;
  }

  // A branch list; `width`: every branch consumes a byte (the engine repeats
  // only such pieces).
  std::unique_ptr<Node> Pattern(bool* width) {
    m_groups = 0;
    return Alternatives(2, width);
  }

 private:
  static constexpr int kMaxGroups = 9;

  std::unique_ptr<Node> Alternatives(int depth, bool* width) {
    auto alt = std::make_unique<Node>();
    alt->kind = Node::kAlt;
    *width = true;
    for (int n = 1 + (depth > 0 && Below(3) == 0 ? Below(3) : 0); n > 0; --n) {
      bool w = false;
      alt->kids.push_back(Branch(depth, &w));
      *width = *width && w;
    }
    return alt;
  }

  std::unique_ptr<Node> Branch(int depth, bool* width) {
    auto seq = std::make_unique<Node>();
    seq->kind = Node::kConcat;
    *width = false;
    for (int n = 1 + Below(3); n > 0; --n) {
      bool w = false;
      seq->kids.push_back(Piece(depth, &w));
      *width = *width || w;
    }
    return seq;
  }

  std::unique_ptr<Node> Piece(int depth, bool* width) {
    auto atom = Atom(depth, width);
    int op = Below(6);
    if (op > 2 || (op < 2 && !*width)) return atom;
    auto piece = std::make_unique<Node>();
    piece->kind = op == 0 ? Node::kStar : op == 1 ? Node::kPlus : Node::kQuest;
    if (op != 1) *width = false;
    piece->kids.push_back(std::move(atom));
    return piece;
  }

  std::unique_ptr<Node> Atom(int depth, bool* width) {
    auto n = std::make_unique<Node>();
    *width = true;
    switch (Below(depth > 0 && m_groups < kMaxGroups ? 9 : 7)) {
      case 0:
        n->kind = Node::kSet;
        n->negated = Below(3) == 0;
        for (int k = 1 + Below(3); k > 0; --k) n->text += Byte();
        break;
      case 1:
        n->kind = Node::kAny;
        break;
      case 2:
        n->kind = Below(2) ? Node::kBol : Node::kEol;
        *width = false;
        break;
      case 7:
      case 8:
        n->kind = Node::kGroup;
        ++m_groups;
        n->kids.push_back(Alternatives(depth - 1, width));
        break;
      default:
        n->kind = Node::kLiteral;
        n->text = std::string(1, Byte());
        break;
    }
    return n;
  }

  std::mt19937 m_random;
  int m_groups = 0;
};

// The tree in the engine's syntax.
std::string Written(const Node& n) {
  auto literal = [](char c) {
    return std::strchr("^$.[()|?+*\\", c) ? std::string("\\") + c : std::string(1, c);
  };
  std::string s;
  switch (n.kind) {
    case Node::kLiteral:
      for (char c : n.text) s += literal(c);
      return s;
    case Node::kSet:
      return std::string(n.negated ? "[^" : "[") + n.text + "]";
    case Node::kAny:
      return ".";
    case Node::kBol:
      return "^";
    case Node::kEol:
      return "$";
    case Node::kConcat:
      for (const auto& kid : n.kids) s += Written(*kid);
      return s;
    case Node::kAlt:
      for (size_t i = 0; i < n.kids.size(); ++i) s += (i > 0 ? "|" : "") + Written(*n.kids[i]);
      return s;
    case Node::kStar:
      return Written(*n.kids[0]) + "*";
    case Node::kPlus:
      return Written(*n.kids[0]) + "+";
    case Node::kQuest:
      return Written(*n.kids[0]) + "?";
    case Node::kGroup:
      return "(" + Written(*n.kids[0]) + ")";
  }
  return s;
}

std::string Lowered(std::string s) {
  for (char& c : s) c = static_cast<char>(LowerCaseTable()[static_cast<unsigned char>(c)]);
  return s;
}

}  // namespace

TEST(RegExpReference, GeneratedPatternsMatchWhereTheReferenceDoes) {
  Generator gen(kSeed);
  int matched = 0;
  for (int i = 0; i < kPatterns; ++i) {
    bool width = false;
    auto tree = gen.Pattern(&width);
    std::string pattern = Written(*tree);
    RegExp re;
    ASSERT_TRUE(re.Compile(pattern.c_str())) << pattern;
    for (int k = 0; k < kTextsPerPattern; ++k) {
      std::string text = gen.Text();
      size_t from = static_cast<size_t>(gen.Below(static_cast<int>(text.size()) + 1));
      size_t at = 0, length = 0;
      bool found = Reference(text).Find(*tree, from, &at, &length);
      int got = re.Exec(text.c_str(), static_cast<int>(from));
      ASSERT_EQ(got, found ? static_cast<int>(at) : -1) << pattern << " in \"" << text << "\" from " << from;
      if (found) {
        ASSERT_EQ(re.MatchLength(), static_cast<int>(length)) << pattern << " in \"" << text << "\"";
      }
      // The same text in place, other bytes following it.
      std::string followed = text + kBeyondTheText;
      got = re.ExecIn(std::string_view(followed.data(), text.size()), static_cast<int>(from),
                      RegExp::Prefilter::kLookFirst);
      ASSERT_EQ(got, found ? static_cast<int>(at) : -1) << pattern << " in place in \"" << text << "\"";
      if (!found) continue;
      ++matched;
      ASSERT_EQ(re.MatchLength(), static_cast<int>(length)) << pattern << " in place in \"" << text << "\"";
    }
  }
  EXPECT_GT(matched, kPatterns);  // the patterns are not all misses
}

// FindText on a one-line buffer, with and without case, passes the same
// lines over as the engine would.
TEST(RegExpReference, SearchesFindWhatTheEngineFindsInTheLine) {
  Generator gen(kSeed + 1);
  EditBuffer buffer;
  for (int i = 0; i < kPatterns / 3; ++i) {
    bool width = false;
    auto tree = gen.Pattern(&width);
    std::string pattern = Written(*tree);
    for (int k = 0; k < kTextsPerPattern; ++k) {
      std::string text = gen.Text();
      for (bool matchCase : {true, false}) {
        edit_test::SetText(buffer, text + "\r\nnext line\r\n");
        // Without case both sides are lowered: the engine on a lowered copy
        // is what the search must give.
        RegExp lowered;
        std::string written = matchCase ? pattern : Lowered(pattern);
        ASSERT_TRUE(lowered.Compile(written.c_str()));
        std::string line = matchCase ? text : Lowered(text);
        int expect = lowered.Exec(line.c_str());
        FindRecord rec;
        rec.pattern = pattern.c_str();
        rec.flags = FIND_FORWARD | FIND_REGEX | (matchCase ? FIND_MATCH_CASE : 0);
        EditPos pos{buffer.m_pLines, 0};
        EditPos limit{buffer.m_pLines, static_cast<int>(text.size())};
        BOOL found = FindText(pos, limit, &rec);
        ASSERT_EQ(found != FALSE, expect >= 0) << pattern << " in \"" << text << "\" case " << matchCase;
        if (found) {
          EXPECT_EQ(pos.offset, expect) << pattern << " in \"" << text << "\"";
          EXPECT_EQ(rec.matchLength, lowered.MatchLength()) << pattern;
        }
      }
    }
  }
}

TEST(LiteralScan, FindsWhatAPlainSearchFinds) {
  Generator gen(kSeed + 2);
  for (int i = 0; i < kPatterns; ++i) {
    std::vector<std::string> strings;
    for (int n = 1 + gen.Below(3); n > 0; --n) {
      std::string s = gen.Text().substr(0, 1 + gen.Below(3));
      strings.push_back(s.empty() ? "a" : s);
    }
    bool fold = gen.Below(2) == 0;
    if (fold) {
      for (std::string& s : strings) s = Lowered(s);
    }
    LiteralScan scan;
    scan.Set(strings, fold ? LiteralScan::Fold::kLowerCase : LiteralScan::Fold::kExact);
    // Long texts too, so that the vector scan is passed through.
    std::string text = gen.Text() + gen.Text() + gen.Text() + gen.Text();
    std::string seen = fold ? Lowered(text) : text;
    long at = scan.Find(text.data(), text.size());
    bool any = false;
    for (const std::string& s : strings) any = any || seen.find(s) != std::string::npos;
    ASSERT_EQ(at >= 0, any) << strings[0] << " in " << text;
    if (at >= 0) {
      bool there = false;
      for (const std::string& s : strings) there = there || seen.compare(at, s.size(), s) == 0;
      EXPECT_TRUE(there);
    }
    if (strings.size() == 1) {
      EXPECT_EQ(at, static_cast<long>(seen.find(strings[0])));
      EXPECT_EQ(scan.FindLast(text.data(), text.size()), static_cast<long>(seen.rfind(strings[0])));
    }
  }
}

// A single string led by a byte rare in source text is scanned for that
// byte; in a text full of it ("zzzz") the scan turns midway to that byte
// and a second one of the string together, a vector at a time: the string
// is found at every place, before and after the turn, in texts full of
// each byte alone.
TEST(LiteralScan, ARareByteWithASecondOneIsFoundAtEveryPlace) {
  constexpr char kWord[] = "zebrafish";
  const std::string decoys[] = {"size_t ", "fish ", "zzzz", "ze", ""};
  constexpr int kLongest = 80;  // several vectors, with ends of every length
  LiteralScan scan;
  scan.Set({kWord}, LiteralScan::Fold::kExact);
  for (const std::string& decoy : decoys) {
    std::string filler;
    while (filler.size() < kLongest) filler += decoy.empty() ? std::string("x") : decoy;
    for (int length = 0; length <= kLongest; ++length) {
      std::string plain = filler.substr(0, length);
      ASSERT_EQ(scan.Find(plain.data(), plain.size()), static_cast<long>(plain.find(kWord))) << plain;
      for (int at = 0; at <= length; ++at) {
        std::string text = plain.substr(0, at) + kWord + plain.substr(at);
        ASSERT_EQ(scan.Find(text.data(), text.size()), static_cast<long>(text.find(kWord))) << text;
      }
    }
  }
}

// Strings of every length up to a few words compare equal, and unequal
// with one byte changed at any place (a word's last byte or first).
TEST(LiteralScan, SameBytesSeesADifferenceAtEveryPlace) {
  constexpr int kLongest = 40;
  const std::string kText = "abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGH";
  for (int length = 0; length <= kLongest; ++length) {
    std::string copy = kText.substr(0, length);
    ASSERT_TRUE(SameBytes(kText.data(), copy.data(), length)) << length;
    for (int at = 0; at < length; ++at) {
      std::string changed = copy;
      changed[at] = static_cast<char>(changed[at] ^ 0x80);
      ASSERT_FALSE(SameBytes(kText.data(), changed.data(), length)) << length << " at " << at;
    }
  }
}
