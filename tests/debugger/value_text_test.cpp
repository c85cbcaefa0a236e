#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "debugger/target_registers.h"
#include "tests/debugger/boxes.h"
#include "tests/debugger/debug_info_helpers.h"

using fixture::BorlandExe;

namespace {

// Types of the value-text tests.
struct Types {
  BorlandExe x;
  uint32_t arr3, s, one, u, outer, fn, base, derived, zeroArr, loopClass, ptrS, nested;
  Types() {
    x.AddSegment(x.AddModule("m"), 0x10, 0, 0x10);
    arr3 = x.AddType(kTypeArray, "", 6, 5);
    s = x.AddType(kTypeStruct, "S", 6, x.AddMembers({{"a", 5}, {"b", 6}}));
    one = x.AddType(kTypeStruct, "One", 2, x.AddMembers({{"v", 5}}));
    u = x.AddType(kTypeUnion, "U", 4, x.AddMembers({{"i", 5}, {"l", 6}}));
    outer = x.AddType(kTypeStruct, "Outer", 8, x.AddMembers({{"s", s}, {"z", 5}}));
    fn = x.AddType(kTypeFunction, "", 0, 0);
    // class Base { int x; }; class Derived : Base { int y; };
    uint32_t baseMembers = x.AddMembers({{"x", 5}});
    x.members.push_back({0x40, "", 0, 2});  // the base part: 2 bytes
    x.AddMembers({{"y", 5}});
    uint32_t derivedMembers = baseMembers + 1;
    x.classes.push_back({0, 0, baseMembers});
    x.classes.push_back({1, 1, derivedMembers});
    x.classes.push_back({2, 1, baseMembers});  // its own parent
    x.parents = {1, 3};
    base = x.AddType(kTypeClass, "Base", 2, 1);
    derived = x.AddType(kTypeClass, "Derived", 4, 2);
    loopClass = x.AddType(kTypeClass, "Loop", 2, 3);
    uint32_t empty = x.AddType(kTypeStruct, "Empty", 0, 0);
    zeroArr = x.AddType(kTypeArray, "", 4, empty);
    ptrS = x.AddType(kTypeFarPointer, "", 4, s);
    nested = x.AddType(kTypeArray, "", 6, 0);
    x.types[nested - 1].extra = nested;  // an array of itself
  }
};

std::vector<uint8_t> Bytes(std::initializer_list<int> b) { return std::vector<uint8_t>(b.begin(), b.end()); }

template <typename T>
std::vector<uint8_t> BytesOf(T v) {
  std::vector<uint8_t> b(sizeof v);
  std::memcpy(b.data(), &v, sizeof v);
  return b;
}

std::string Text(CDebugInterpBorland& d, const std::vector<uint8_t>& data, uint16_t type, int basic) {
  CString text;
  d.ValueText(data.data(), &type, uint16_t(data.size()), text, basic);
  return text.str();
}

TEST(ValueText, BasicValues) {
  Types t;
  auto d = fixture::Load(t.x);
  struct {
    uint16_t id;
    std::vector<uint8_t> data;
    const char* text;
  } cases[] = {
      {kTypeInt, Bytes({0xFF, 0xFF}), "-1 (0xffffffff)"},
      {kTypeUnsignedInt, Bytes({0xFF, 0xFF}), "65535 (0xffff)"},
      {kTypeLong, BytesOf(int32_t(-2)), "-2 (0xfffffffe)"},
      {kTypeUnsignedLong, BytesOf(uint32_t(4000000000u)), "4000000000 (0xee6b2800)"},
      {kTypeSignedChar, Bytes({0x41}), "0x41"},
      {kTypeUnsignedChar, Bytes({0xF0}), "0xf0"},
      {kTypeChar, Bytes({0x7A}), "0x7a"},
      {kTypeFloat, BytesOf(1.5f), "1.500000"},
      {kTypeDouble, BytesOf(2.25), "2.250000"},
      {kTypeLongDouble, BytesOf(-0.5), "-0.500000"},
      {kTypeFarPointer, Bytes({0x10, 0x00, 0x34, 0x12}), "1234:0010"},
      {kTypeFunction, {}, "<method>"},
      {kTypeInt, Bytes({0x01}), "?"},  // fewer bytes than the type needs
  };
  for (auto& c : cases) EXPECT_EQ(Text(*d, c.data, c.id, 1), c.text) << c.id;
}

TEST(ValueText, Aggregates) {
  Types t;
  auto d = fixture::Load(t.x);
  struct {
    uint32_t type;
    std::vector<uint8_t> data;
    const char* text;
  } cases[] = {
      {t.arr3, Bytes({1, 0, 2, 0, 3, 0}), "{1 (0x1), 2 (0x2), 3 (0x3)}"},
      {t.one, Bytes({5, 0}), "{v = 5 (0x5)}"},
      {t.s, Bytes({1, 0, 2, 0, 0, 0}), "{a = 1 (0x1), b = 2 (0x2)}"},
      {t.u, Bytes({1, 0, 0, 0}), "{i = 1 (0x1), l = 1 (0x1)}"},
      {t.outer, Bytes({1, 0, 2, 0, 0, 0, 9, 0}), "{s = {a = 1 (0x1), b = 2 (0x2)}, z = 9 (0x9)}"},
      {t.derived, Bytes({7, 0, 9, 0}), "{x = 7 (0x7), y = 9 (0x9)}"},
      {t.base, Bytes({7, 0}), "{x = 7 (0x7)}"},
      {t.ptrS, Bytes({0x10, 0, 0x34, 0x12}), "1234:0010"},
      {t.zeroArr, Bytes({1, 2, 3, 4}), "{}"},        // element size 0
      {t.s, Bytes({1, 0}), "{a = 1 (0x1), b = ?}"},  // value cut short
  };
  for (auto& c : cases) EXPECT_EQ(Text(*d, c.data, uint16_t(c.type), 0), c.text) << c.type;
}

TEST(ValueText, LoopingTypesEndWithoutHanging) {
  Types t;
  auto d = fixture::Load(t.x);
  std::vector<uint8_t> data(6, 0);
  std::string loop = Text(*d, data, uint16_t(t.loopClass), 0);
  EXPECT_EQ(loop.substr(0, 1), "{");
  EXPECT_NE(loop.find("..."), std::string::npos);
  std::string nested = Text(*d, data, uint16_t(t.nested), 0);
  EXPECT_NE(nested.find("..."), std::string::npos);
}

// A struct whose members are that struct: damaged information, as a fuzzer
// finds it; each member's value is left out instead of expanded again.
TEST(ValueText, AStructOfItselfIsNotExpandedAgain) {
  constexpr int kSelfMembers = 8;
  BorlandExe x;
  x.AddSegment(x.AddModule("m"), 0x10, 0, 0x10);
  uint32_t self = x.AddType(0x1E, "Self", 2, 0);
  std::vector<std::pair<std::string, uint32_t>> members;
  for (int i = 0; i < kSelfMembers; ++i) members.push_back({"m" + std::to_string(i), self});
  members.push_back({"v", 5});
  x.types[self - 1].extra = x.AddMembers(members);
  auto d = fixture::Load(x);
  std::vector<uint8_t> data(2 * kSelfMembers + 2, 0);
  data[2 * kSelfMembers] = 1;  // v, behind the members of 2 bytes each
  std::string text = Text(*d, data, uint16_t(self), 0);
  EXPECT_EQ(text.rfind("{m0 = ..., m1 = ..., ", 0), 0u) << text;
  EXPECT_NE(text.find("v = 1 (0x1)}"), std::string::npos) << text;
}

// Aggregates nested wide and deep without a loop: the text ends in "..."
// once the work of one value is spent, instead of growing exponentially.
TEST(ValueText, WideNestingStaysWithinTheWorkOfOneValue) {
  constexpr int kLevels = 8;
  constexpr int kWidth = 5;  // kWidth^kLevels values when expanded in full
  constexpr size_t kTextLimit = size_t(1) << 20;
  BorlandExe x;
  x.AddSegment(x.AddModule("m"), 0x10, 0, 0x10);
  uint32_t inner = 5;
  for (int level = 0; level < kLevels; ++level) {
    std::vector<std::pair<std::string, uint32_t>> members;
    for (int i = 0; i < kWidth; ++i) members.push_back({"f" + std::to_string(i), inner});
    inner = x.AddType(0x1E, "L" + std::to_string(level), 2, x.AddMembers(members));
  }
  auto d = fixture::Load(x);
  std::string text = Text(*d, std::vector<uint8_t>(64, 0), uint16_t(inner), 0);
  EXPECT_LT(text.size(), kTextLimit);
  EXPECT_NE(text.find("..."), std::string::npos);
  EXPECT_EQ(text.rfind("{f0 = {f0 = ", 0), 0u) << text.substr(0, 80);
}

TEST(ValueText, UnknownTypeIdsShowOneBoxPerLoad) {
  Types t;
  auto d = fixture::Load(t.x);
  fixture::ClearBoxes();
  EXPECT_EQ(Text(*d, Bytes({1, 2}), 0x33, 1), "");
  EXPECT_EQ(Text(*d, Bytes({1, 2}), 0x34, 1), "");
  EXPECT_EQ(fixture::BoxesShown(), "[ALERT: unknown Type ID] 0x33\n");
  auto again = fixture::Load(t.x);
  EXPECT_EQ(Text(*again, Bytes({1, 2}), 0x35, 1), "");
  EXPECT_EQ(fixture::BoxesShown(), "[ALERT: unknown Type ID] 0x35\n");
}

TEST(Types, SizesPointersElementsAndMembers) {
  Types t;
  auto d = fixture::Load(t.x);
  EXPECT_EQ(d->TypeSize(kTypeLongDouble, 1), 8);
  EXPECT_EQ(d->TypeSize(kTypeChar, 1), 1);
  EXPECT_EQ(d->TypeSize(kTypeStruct, 1), 0);
  EXPECT_EQ(d->TypeSize(uint16_t(t.outer), 0), 8);

  TypeHandle out = nullptr;
  int basic = -1;
  uint16_t p = uint16_t(t.ptrS);
  d->PointedType(&p, &out, &basic);
  EXPECT_EQ(*out, t.s);
  EXPECT_EQ(basic, 0);
  delete out;
  uint16_t a = uint16_t(t.arr3);
  d->ElementType(&a, &out, &basic);
  EXPECT_EQ(*out, 5);
  EXPECT_EQ(basic, 1);
  delete out;

  struct {
    uint32_t type;
    const char* member;
    uint16_t offset;
    int found;
    uint16_t mtype;
  } cases[] = {
      {t.s, "b", 2, 1, 6},       {t.s, "a", 0, 1, 5},
      {t.s, "B", 6, 0, 0},        // member names are exact; not found sums all
      {t.u, "l", 0, 1, 6},        // union members share offset 0
      {t.derived, "y", 2, 1, 5},  // behind the base part
  };
  for (auto& c : cases) {
    TypeHandle m = nullptr;
    int mb = -1;
    uint16_t ty = uint16_t(c.type);
    EXPECT_EQ(d->MemberLookup(&ty, c.member, &m, &mb), c.offset) << c.member;
    EXPECT_EQ(m != nullptr, bool(c.found)) << c.member;
    if (m) {
      EXPECT_EQ(*m, c.mtype) << c.member;
    }
    delete m;
  }
}

TEST(Types, FindByIdAndByName) {
  Types t;
  auto d = fixture::Load(t.x);
  EXPECT_EQ(d->FindTypeById(kTypeStruct), t.s);
  EXPECT_EQ(d->FindTypeById(0x77), 0xFFFF);
  EXPECT_EQ(d->FindTypeByName("outer"), t.outer);
  EXPECT_EQ(d->FindTypeByName("nothing"), 0);
  uint16_t first = d->NewAddedTypeIndex();
  EXPECT_EQ(first, t.x.types.size() + 1);
  d->AddType({kTypeFarPointer, 0, 4, 0, 5});
  EXPECT_EQ(d->TypeIdOf(first), kTypeFarPointer);
  EXPECT_EQ(d->TypeSize(first, 0), 4);
  d->ClearAddedTypes();
  EXPECT_EQ(d->TypeIdOf(first), 0);
  EXPECT_EQ(d->NewAddedTypeIndex(), first);
}

TEST(RegisterText, ListsRegistersAndFlags) {
  Types t;
  auto d = fixture::Load(t.x);
  KernelRegisterRecord r{};
  r.eax = 0x12345678;
  r.ebx = 1;
  r.ecx = 2;
  r.edx = 3;
  r.esp = 0xFFFE;
  r.ebp = 0x100;
  r.esi = 4;
  r.edi = 5;
  r.flags = 0x0CD5;  // O D I S Z A P C = 1 1 0 1 1 1 1 1, bit 9 clear
  r.ip = 0x10;
  r.cs = 0x1010;
  r.ds = 0x2000;
  r.ss = 0x3000;
  r.es = 0x4000;
  r.fs = 0;
  r.gs = 0xFFFF;
  TargetRegisters block;
  block.SetRecord(r);
  EXPECT_TRUE(block.code.IsEqual(CAddr(0x1010, 0x10)));
  EXPECT_TRUE(block.frame.IsEqual(CAddr(0x3000, 0x100)));
  char* text = nullptr;
  d->RegisterText(&block, &text);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text,
               "EAX = 0x12345678\r\nEBX = 0x00000001\r\nECX = 0x00000002\r\nEDX = 0x00000003\r\n"
               "ESI = 0x00000004\r\nEDI = 0x00000005\r\nESP = 0x0000fffe\r\nEBP = 0x00000100\r\n"
               "IP = 0x0010\r\nCS = 0x1010\r\nDS = 0x2000\r\nES = 0x4000\r\nSS = 0x3000\r\n"
               "FS = 0x0000\r\nGS = 0xffff\r\n"
               "Flags = [0x0cd5, O = 1, D = 1, I = 0, S = 1, Z = 1, A = 1, P = 1, C = 1]\r\n");
  delete[] text;
}

}  // namespace
