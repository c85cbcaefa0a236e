#include "debugger/eval.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "debugger/debug_message.h"
#include "debugger/segoff.h"

namespace {

// Nesting deeper than this (each parenthesis counts twice, each prefix
// operator once) is not evaluated.
const int kMaxDepth = 400;

bool OneOf(int token, std::initializer_list<int> set) {
  return std::find(set.begin(), set.end(), token) != set.end();
}

// The first four bytes of a value as a 32-bit number (missing bytes are 0).
uint32_t Raw32(const CEvalValue& v) {
  uint8_t b[4] = {};
  std::memcpy(b, v.data, std::min<uint32_t>(4, std::min(v.size, v.capacity)));
  return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

}  // namespace

void CEval::SetInput(const char* text, const CAddr* context) {
  m_lexer.SetInput(text);
  m_context = context ? *context : CAddr::Invalid();
}

void CEval::Evaluate(const char* text, uint16_t** typeOut, uint8_t** dataOut, uint32_t* sizeOut,
                     int* basicOut, const CAddr* context) {
  CEvalValue v;
  m_writing = false;
  m_depth = 0;
  SetInput(text, context);
  Expression(v);
  if (!v.type) v.FreeData();
  if (v.data) v.EnsureData();
  *typeOut = v.ReleaseType();
  *dataOut = v.ReleaseData();
  *sizeOut = v.size;
  *basicOut = v.basic;
}

void CEval::Write(const char* text, const CAddr* context, double value) {
  CEvalValue v;
  m_writing = true;
  m_writeRefused = false;
  m_writeValue = value;
  m_depth = 0;
  SetInput(text, context);
  Cast(v);
  m_writing = false;
}

template <typename Combine>
void CEval::Binary(CEvalValue& v, Level next, std::initializer_list<int> ops, Combine combine) {
  (this->*next)(v);
  for (;;) {
    int op = m_lexer.NextToken();
    if (!OneOf(op, ops)) {
      m_lexer.PushBack();
      return;
    }
    CEvalValue right;
    (this->*next)(right);
    if (Defined(v) && Defined(right))
      combine(op, v, right);
    else
      v.FreeData();
    v.address = CAddr::Invalid();
  }
}

void CEval::LogicalOr(CEvalValue& v) {
  Binary(v, &CEval::LogicalAnd, {TOK_OR}, [this](int, CEvalValue& l, CEvalValue& r) {
    bool result = GetInteger(l) != 0 || GetInteger(r) != 0;
    PromoteTypes(l, r);
    SetInteger(l, result);
  });
}

void CEval::LogicalAnd(CEvalValue& v) {
  Binary(v, &CEval::BitOr, {TOK_AND}, [this](int, CEvalValue& l, CEvalValue& r) {
    bool result = GetInteger(l) != 0 && GetInteger(r) != 0;
    PromoteTypes(l, r);
    SetInteger(l, result);
  });
}

void CEval::Bitwise(int op, CEvalValue& l, CEvalValue& r) {
  if (!IsIntegral(*l.type) || !IsIntegral(*r.type)) {
    l.FreeData();
    return;
  }
  uint32_t a = GetInteger(l), b = GetInteger(r);
  PromoteTypes(l, r);
  SetInteger(l, op == TOK_BAR ? (a | b) : op == TOK_CARET ? (a ^ b) : (a & b));
}

void CEval::BitOr(CEvalValue& v) {
  Binary(v, &CEval::BitXor, {TOK_BAR}, [this](int op, CEvalValue& l, CEvalValue& r) { Bitwise(op, l, r); });
}

void CEval::BitXor(CEvalValue& v) {
  Binary(v, &CEval::BitAnd, {TOK_CARET}, [this](int op, CEvalValue& l, CEvalValue& r) { Bitwise(op, l, r); });
}

void CEval::BitAnd(CEvalValue& v) {
  Binary(v, &CEval::Equality, {TOK_AMP}, [this](int op, CEvalValue& l, CEvalValue& r) { Bitwise(op, l, r); });
}

void CEval::Equality(CEvalValue& v) {
  Binary(v, &CEval::Relational, {TOK_EQ, TOK_NE}, [this](int op, CEvalValue& l, CEvalValue& r) {
    double a = GetDouble(l), b = GetDouble(r);
    MakeInteger(l);
    SetInteger(l, op == TOK_EQ ? a == b : a != b);
  });
}

void CEval::Relational(CEvalValue& v) {
  Binary(v, &CEval::Shift, {TOK_LT, TOK_GT, TOK_LE, TOK_GE}, [this](int op, CEvalValue& l, CEvalValue& r) {
    double a = GetDouble(l), b = GetDouble(r);
    bool result = op == TOK_LT ? a < b : op == TOK_GT ? a > b : op == TOK_LE ? a <= b : a >= b;
    MakeInteger(l);
    SetInteger(l, result);
  });
}

void CEval::Shift(CEvalValue& v) {
  Binary(v, &CEval::Additive, {TOK_SHL, TOK_SHR}, [this](int op, CEvalValue& l, CEvalValue& r) {
    if (!IsIntegral(*l.type) || !IsIntegral(*r.type)) {
      l.FreeData();
      return;
    }
    uint32_t a = GetInteger(l);
    uint32_t n = GetInteger(r) % 32;
    SetInteger(l, op == TOK_SHL ? a << n : a >> n);
  });
}

void CEval::Additive(CEvalValue& v) {
  Binary(v, &CEval::Multiplicative, {TOK_PLUS, TOK_MINUS}, [this](int op, CEvalValue& l, CEvalValue& r) {
    double a = GetDouble(l), b = GetDouble(r);
    PromoteTypes(l, r);
    SetDouble(l, op == TOK_PLUS ? a + b : a - b);
  });
}

void CEval::Multiplicative(CEvalValue& v) {
  Binary(v, &CEval::MemberPointer, {TOK_STAR, TOK_SLASH, TOK_PERCENT},
         [this](int op, CEvalValue& l, CEvalValue& r) {
           if (op == TOK_PERCENT) {
             uint32_t a = GetInteger(l), b = GetInteger(r);
             if (b == 0) {  // no remainder of a division by 0
               l.FreeData();
               return;
             }
             PromoteTypes(l, r);
             SetInteger(l, a % b);
             return;
           }
           double a = GetDouble(l), b = GetDouble(r);
           PromoteTypes(l, r);
           SetDouble(l, op == TOK_STAR ? a * b : a / b);
         });
}

void CEval::MemberPointer(CEvalValue& v) {
  Cast(v);
  for (;;) {
    int op = m_lexer.NextToken();
    if (op != TOK_DOT_STAR && op != TOK_ARROW_STAR) {
      m_lexer.PushBack();
      return;
    }
    CEvalValue discarded;
    Cast(discarded);
    v.address = CAddr::Invalid();
  }
}

void CEval::Cast(CEvalValue& v) {
  if (++m_depth > kMaxDepth) {
    --m_depth;
    v.FreeData();
    return;
  }
  int t = m_lexer.NextToken();
  if (t == TOK_LPAREN) {
    if (m_lexer.NextToken() == TOK_IDENT && IsTypeName(m_lexer.m_text)) {
      ParseCastType(v);
      int stars = 0;
      int tok;
      while ((tok = m_lexer.NextToken()) == TOK_STAR) ++stars;
      bool closed = tok == TOK_RPAREN;
      if (!closed) m_lexer.PushBack();
      CEvalValue operand;
      Cast(operand);
      for (int i = 0; i < stars; ++i) AddPointerLevel(v);
      if (closed && v.type && Defined(operand))
        SetDouble(v, GetDouble(operand));
      else
        v.FreeData();
      v.address = CAddr::Invalid();
      --m_depth;
      return;
    }
    m_lexer.PushBack();
  }
  m_lexer.PushBack();
  Unary(v);
  --m_depth;
}

void CEval::ParseCastType(CEvalValue& v) {
  int flags[7] = {};  // char short int float double long unsigned
  static const char* const kWords[7] = {"char", "short", "int", "float", "double", "long", "unsigned"};
  bool any = false;
  std::string word = m_lexer.m_text;
  for (;;) {
    for (int i = 0; i < 7; ++i) {
      if (word == kWords[i]) {
        flags[i] = 1;
        any = true;
      }
    }
    if (word != "unsigned" && word != "long" && word != "short") break;
    if (m_lexer.NextToken() != TOK_IDENT) {
      m_lexer.PushBack();
      break;
    }
    word = m_lexer.m_text;
  }
  if (any)
    CastToBasic(v, flags[0], flags[1], flags[2], flags[3], flags[4], flags[5], flags[6]);
  else
    CastToNamedType(v, word.c_str());
}

void CEval::Unary(CEvalValue& v) {
  int t = m_lexer.NextToken();
  if (t == TOK_INC || t == TOK_DEC) {
    int count = 0;
    for (; t == TOK_INC || t == TOK_DEC; t = m_lexer.NextToken()) count += t == TOK_INC ? 1 : -1;
    m_lexer.PushBack();
    Postfix(v);
    if (Defined(v)) SetDouble(v, GetDouble(v) + count);
    v.address = CAddr::Invalid();
    return;
  }
  if (!OneOf(t, {TOK_PLUS, TOK_MINUS, TOK_STAR, TOK_AMP, TOK_NOT, TOK_TILDE})) {
    m_lexer.PushBack();
    Postfix(v);
    return;
  }
  Cast(v);
  switch (t) {
    case TOK_PLUS:
      return;
    case TOK_AMP:
      if (v.type)
        AddressOf(v);
      else
        v.FreeData();
      return;
    case TOK_STAR:
      Dereference(v);
      return;
    default:
      break;
  }
  if (Defined(v)) {
    if (t == TOK_MINUS)
      SetDouble(v, -GetDouble(v));
    else if (t == TOK_NOT)
      SetInteger(v, GetInteger(v) == 0);
    else
      SetInteger(v, ~GetInteger(v));
  }
  v.address = CAddr::Invalid();
}

void CEval::Dereference(CEvalValue& v) {
  if (!v.data) {
    v.address = CAddr(0, 0);
    return;
  }
  uint32_t pointer = Raw32(v);
  if (pointer == 0xFFFFFFFFu || !v.type) {
    v.FreeData();
    v.address = CAddr(0, 0);
    return;
  }
  DereferenceType(v);
  if (!v.type) {
    v.FreeData();
    return;
  }
  CAddr at(pointer >> 16, pointer & 0xFFFF);
  v.NewData();
  ReadMemory(&at, v.data, uint16_t(v.size));
  v.address = at;
}

void CEval::Postfix(CEvalValue& v) {
  int t = m_lexer.NextToken();
  switch (t) {
    case TOK_LPAREN:
      if (++m_depth > kMaxDepth) {
        --m_depth;
        v.FreeData();
        return;
      }
      Expression(v);
      --m_depth;
      if (m_lexer.NextToken() != TOK_RPAREN) {
        m_lexer.PushBack();
        v.FreeData();
      }
      return;
    case TOK_IDENT:
      Variable(v);
      return;
    case TOK_INT:
      MakeInteger(v);
      SetInteger(v, uint32_t(m_lexer.m_intValue));
      return;
    case TOK_FLOAT:
      MakeFloating(v);
      SetDouble(v, m_lexer.m_floatValue);
      return;
    case TOK_STRING:
      MakeInteger(v);
      SetInteger(v, 0);
      return;
    default:
      v.FreeData();
      return;
  }
}

void CEval::Variable(CEvalValue& v) {
  std::string name = m_lexer.m_text;
  CAddr addr = CAddr::Invalid();
  uint16_t size = 0;
  LookupVariable(name.c_str(), v, &addr, &size);
  v.address = addr;
  int count = 0;
  for (;;) {
    int t = m_lexer.NextToken();
    if (t == TOK_INC || t == TOK_DEC) {
      if (m_writing && !m_writeRefused) {
        DebugMessageBox("illegal expression for write operation", "Error");
        m_writeRefused = true;
      }
      count += t == TOK_INC ? 1 : -1;
    } else if (t == TOK_ARROW) {
      if (m_lexer.NextToken() != TOK_IDENT) {
        m_lexer.PushBack();
        v.FreeData();
        v.address = CAddr::Invalid();
        continue;
      }
      std::string member = m_lexer.m_text;
      if (!v.type || !v.address.IsValid()) {
        v.address = CAddr::Invalid();
        continue;
      }
      uint8_t p[4] = {};
      ReadMemory(&v.address, p, 4);
      DereferenceType(v);
      v.address = CAddr(uint32_t(p[2] | p[3] << 8), uint32_t(p[0] | p[1] << 8));
      AddToSegOff(v.address, MemberOffset(v, member.c_str()));
    } else if (t == TOK_DOT) {
      if (m_lexer.NextToken() != TOK_IDENT) {
        m_lexer.PushBack();
        v.address = CAddr::Invalid();
        continue;
      }
      std::string member = m_lexer.m_text;
      uint16_t offset = v.type ? MemberOffset(v, member.c_str()) : 0;
      if (v.address.IsValid()) AddToSegOff(v.address, offset);
    } else if (t == TOK_LBRACKET) {
      CEvalValue index;
      Expression(index);
      if (v.type) ElementType(v);
      if (m_lexer.NextToken() != TOK_RBRACKET) {
        m_lexer.PushBack();
        v.address = CAddr::Invalid();
      } else if (v.address.IsValid() && Defined(index)) {
        AddToSegOff(v.address, GetInteger(index) * v.size);
      } else {
        v.address = CAddr::Invalid();
      }
    } else {
      m_lexer.PushBack();
      break;
    }
  }
  if (!v.address.IsValid() || !v.type) {
    v.FreeData();
    return;
  }
  v.NewData();
  if (m_writing) {
    if (!m_writeRefused) {
      SetDouble(v, m_writeValue);
      WriteMemory(&v.address, v.data, uint16_t(v.size));
    }
    v.Clear();
    return;
  }
  ReadMemory(&v.address, v.data, uint16_t(v.size));
  if (count != 0) SetDouble(v, GetDouble(v) + count);
}
