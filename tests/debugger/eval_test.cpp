#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "debugger/eval_8086regs.h"
#include "debugger/eval_borland.h"
#include "debugger/eval_lexer.h"
#include "debugger/session_globals.h"
#include "tests/debugger/boxes.h"
#include "tests/debugger/debug_info_helpers.h"
#include "tests/debugger/eval_program.h"
#include "tests/debugger/fake_target.h"

namespace {

using fixture::kEvalData;

class EvalTest : public testing::Test {
 protected:
  void SetUp() override {
    interp = fixture::Load(fixture::EvalProgram(), fixture::kEvalLoadSegment);
    fixture::PutEvalValues(target);
    g_pDebugInterp = interp.get();
    g_pDebugAccess = &target;
  }
  void TearDown() override {
    g_pDebugInterp = nullptr;
    g_pDebugAccess = nullptr;
  }

  std::string Eval(CEval& e, const std::string& text) {
    uint16_t* type = nullptr;
    uint8_t* data = nullptr;
    uint32_t size = 0;
    int basic = 0;
    e.Evaluate(text.c_str(), &type, &data, &size, &basic, &context);
    std::string result = "<not defined>";
    if (data) {
      CString s;
      interp->ValueText(data, type, uint16_t(size), s, basic);
      result = s.str();
    }
    delete type;
    delete[] data;
    return result;
  }

  std::unique_ptr<CDebugInterpBorland> interp;
  fixture::FakeTarget target;
  CAddr context = CAddr(0x1010, 0x05);
  CEvalBorland eval;
};

TEST_F(EvalTest, ExpressionsGiveTheValuesOfC) {
  struct {
    const char* text;
    const char* value;
  } cases[] = {
      // every binary level combines all its operators, left to right
      {"1+2+3", "6 (0x6)"},
      {"(1+2)+3", "6 (0x6)"},
      {"10-2-3", "5 (0x5)"},
      {"2*3*4", "24 (0x18)"},
      {"100/10/5", "2 (0x2)"},
      {"1 << 4 << 1", "32 (0x20)"},
      {"5 & 3", "1 (0x1)"},
      {"5 | 3", "7 (0x7)"},
      {"5 ^ 3", "6 (0x6)"},
      {"1 | 2 | 4", "7 (0x7)"},
      {"7 % 3", "1 (0x1)"},
      {"3 && 0", "0 (0x0)"},
      {"0 || 2", "1 (0x1)"},
      {"i == 7", "1 (0x1)"},
      {"i != 7", "0 (0x0)"},
      {"i < l", "1 (0x1)"},
      {"l < i", "0 (0x0)"},
      {"i >= 7", "1 (0x1)"},
      // variables, members, elements, pointers
      {"i", "7 (0x7)"},
      {"I", "7 (0x7)"},
      {"c", "0x41"},
      {"f", "2.500000"},
      {"u", "65535 (0xffff)"},
      {"s", "{a = 1 (0x1), b = 2 (0x2)}"},
      {"s.b", "2 (0x2)"},
      {"p->b", "2 (0x2)"},
      {"arr[2]", "30 (0x1e)"},
      {"arr[1+1]", "30 (0x1e)"},
      {"&s", "1020:0010"},
      {"*p", "{a = 1 (0x1), b = 2 (0x2)}"},
      // type promotion as in C: long with int is long
      {"i + l", "100007 (0x186a7)"},
      {"l - i", "99993 (0x18699)"},
      {"i + 1.5", "8.500000"},
      {"i*2", "14 (0xe)"},
      // unary operators
      {"-i", "-7 (0xfffffff9)"},
      {"~0", "-1 (0xffffffff)"},
      {"!0.5", "1.000000"},
      {"!i", "0 (0x0)"},
      {"+i", "7 (0x7)"},
      {"i++", "8 (0x8)"},
      {"++i", "8 (0x8)"},
      {"--i", "6 (0x6)"},
      // constants
      {"0x1F", "31 (0x1f)"},
      {"0x1f", "31 (0x1f)"},
      {"017", "15 (0xf)"},
      {"1e3", "1000.000000"},
      {".5", "0.500000"},
      {"0.25", "0.250000"},
      {"'\\n'", "10 (0xa)"},
      {"'\\q'", "0 (0x0)"},
      {"'a'", "97 (0x61)"},
      {"\"text\"", "0 (0x0)"},
      // casts
      {"(long)u", "65535 (0xffff)"},
      {"(int)u", "-1 (0xffffffff)"},
      {"(char)65", "0x41"},
      {"(unsigned long)i", "7 (0x7)"},
      {"(long double)i", "7.000000"},
      {"(unsigned)-1", "65535 (0xffff)"},
      {"(Word)l", "<not defined>"},  // a named type that is no type record
      // the rest of the text after the expression is not read
      {"i = 5", "7 (0x7)"},
      {"1 ? 2", "1 (0x1)"},
      // no value
      {"nosuch", "<not defined>"},
      {"nosuch + 1", "<not defined>"},
      {"1 + nosuch", "<not defined>"},
      {"s.nosuch", "<not defined>"},
      {"5 % 0", "<not defined>"},
      {"(i", "<not defined>"},
      {"", "<not defined>"},
      {"s.", "<not defined>"},
      {"arr[1", "<not defined>"},
      {"@", "<not defined>"},
  };
  for (auto& c : cases) EXPECT_EQ(Eval(eval, c.text), c.value) << c.text;
  EXPECT_EQ(target.Get<int16_t>(kEvalData), 7) << "reading changes no memory";
}

TEST_F(EvalTest, IllegalCastIsReportedAndEvaluationGoesOn) {
  struct {
    const char* text;
    bool illegal;
  } cases[] = {
      {"(short long)i", true},   {"(unsigned double)i", true}, {"(short float)i", true},
      {"(long double)i", false}, {"(unsigned char)i", false},
  };
  for (auto& c : cases) {
    fixture::ClearBoxes();
    Eval(eval, c.text);
    auto boxes = plat::MessageBoxRecords();
    ASSERT_EQ(boxes.size(), c.illegal ? 1u : 0u) << c.text;
    if (c.illegal) {
      EXPECT_EQ(boxes[0].caption, "Alert");
      EXPECT_EQ(boxes[0].text, "Illegal cast");
      EXPECT_EQ(boxes[0].type & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));
    }
  }
}

TEST_F(EvalTest, WriteStoresIntoTheAssignableExpression) {
  struct {
    const char* text;
    double value;
    uint32_t at;
    int width;
    int64_t stored;
  } cases[] = {
      {"i", 42, kEvalData, 2, 42},
      {"l", -5, kEvalData + 2, 4, -5},
      {"s.b", 9, kEvalData + 0x12, 4, 9},
      {"p->a", 11, kEvalData + 0x10, 2, 11},
      {"arr[1]", 99, kEvalData + 0x32, 2, 99},
      {"i", 70000, kEvalData, 2, 70000 - 65536},
  };
  for (auto& c : cases) {
    eval.Write(c.text, &context, c.value);
    int64_t got = c.width == 2 ? target.Get<int16_t>(c.at) : target.Get<int32_t>(c.at);
    EXPECT_EQ(got, c.stored) << c.text;
  }
}

TEST_F(EvalTest, IncrementInAWrittenExpressionIsRefused) {
  int before = target.writes;
  fixture::ClearBoxes();
  eval.Write("i++", &context, 3);
  std::string said = fixture::BoxesShown();
  EXPECT_NE(said.find("[Error] illegal expression for write operation"), std::string::npos);
  EXPECT_EQ(target.writes, before);
  EXPECT_EQ(target.Get<int16_t>(kEvalData), 7);
}

TEST_F(EvalTest, OversizedTokensAndDeepNestingAreSafe) {
  std::string longName(1000, 'x');
  EXPECT_EQ(Eval(eval, longName), "<not defined>");
  EXPECT_EQ(Eval(eval, "\"" + std::string(1000, 'q') + "\""), "0 (0x0)");
  Eval(eval, std::string(600, '9'));
  Eval(eval, "0x" + std::string(600, 'f'));
  Eval(eval, "1." + std::string(600, '5') + "e" + std::string(400, '9'));
  EXPECT_EQ(Eval(eval, std::string(5000, '(') + "1" + std::string(5000, ')')), "<not defined>");
  EXPECT_EQ(Eval(eval, std::string(100, '(') + "1" + std::string(100, ')')), "1 (0x1)");
  Eval(eval, std::string(5000, '-') + "1");
  Eval(eval, std::string(3000, '!') + "1");
  for (const char* t :
       {"'", "'\\", "\"abc", "(long", "(long*", "p->", "i ==", "1e", "(unsigned long long long)i"})
    Eval(eval, t);
}

TEST_F(EvalTest, RegisterEvaluatorHasNoValues) {
  CEval8086Regs regs;
  for (const char* t : {"1", "i", "1+2", "(long)i", "&s", "ax"})
    EXPECT_EQ(Eval(regs, t), "<not defined>") << t;
}

TEST(EvalLexer, ScansTheTokensOfC) {
  struct {
    const char* text;
    std::vector<int> tokens;
  } cases[] = {
      {"== ! != < <= << > >= >>", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}},
      {"+ ++ - -- -> ->* * / %", {10, 11, 12, 13, 14, 15, 16, 17, 18, 0}},
      {". .* & && ~ | || ^ ( ) [ ]", {19, 20, 21, 22, 23, 25, 26, 27, 28, 29, 30, 31, 0}},
      {"a = 5", {50, 0}},
      {"x_1 12 1.5 \"s\" $", {50, 60, 61, 63, -1, 0}},
      {"a.b", {50, 19, 50, 0}},
      {"=", {0, 0, 0}},
  };
  for (auto& c : cases) {
    CEvalLexer lex;
    lex.SetInput(c.text);
    for (size_t k = 0; k < c.tokens.size(); ++k)
      EXPECT_EQ(lex.NextToken(), c.tokens[k]) << c.text << " token " << k;
  }
}

TEST(EvalLexer, PushedBackTokensComeAgainInOrder) {
  CEvalLexer lex;
  lex.SetInput("( a ) + 1");
  EXPECT_EQ(lex.NextToken(), 28);
  EXPECT_EQ(lex.NextToken(), 50);
  EXPECT_EQ(lex.NextToken(), 29);
  lex.PushBack();
  lex.PushBack();
  lex.PushBack();
  EXPECT_EQ(lex.NextToken(), 28);
  EXPECT_EQ(lex.NextToken(), 50);
  EXPECT_STREQ(lex.m_text, "a");
  EXPECT_EQ(lex.NextToken(), 29);
  EXPECT_EQ(lex.NextToken(), 10);
  EXPECT_EQ(lex.NextToken(), 60);
  EXPECT_EQ(lex.m_intValue, 1);
}

TEST(EvalLexer, ConstantsAndEscapes) {
  struct {
    const char* text;
    int token;
    int32_t value;
  } ints[] = {
      {"0x1F", 60, 31},      {"017", 60, 15},      {"0", 60, 0},
      {"09", 60, 0},         {"'\\t'", 60, 9},     {"'\\x41'", 60, 0x41},
      {"'\\101'", 60, 0101}, {"'\\\\'", 60, '\\'}, {"4294967297", 60, 1},
  };
  for (auto& c : ints) {
    CEvalLexer lex;
    lex.SetInput(c.text);
    EXPECT_EQ(lex.NextToken(), c.token) << c.text;
    EXPECT_EQ(lex.m_intValue, c.value) << c.text;
  }
  struct {
    const char* text;
    double value;
  } floats[] = {
      {"1e3", 1000}, {".5", 0.5}, {"0.5", 0.5}, {"2.5e-1", 0.25}, {"0e0", 0},
  };
  for (auto& c : floats) {
    CEvalLexer lex;
    lex.SetInput(c.text);
    EXPECT_EQ(lex.NextToken(), 61) << c.text;
    EXPECT_DOUBLE_EQ(lex.m_floatValue, c.value) << c.text;
  }
  CEvalLexer lex;
  lex.SetInput("\"a\\nb\"");
  EXPECT_EQ(lex.NextToken(), 63);
  EXPECT_STREQ(lex.m_text, "a\nb");
}

}  // namespace
