#include "tests/debugger/eval_program.h"

namespace fixture {

BorlandExe EvalProgram() {
  BorlandExe x;
  uint16_t seg = x.AddSegment(x.AddModule("m"), 0x10, 0, 0x40);
  x.AddLines(seg, "e.c", {{1, 0}, {2, 0x10}});
  uint32_t s = x.AddType(kTypeStruct, "S", 6, x.AddMembers({{"a", kTypeInt}, {"b", kTypeLong}}));
  uint32_t ptrS = x.AddType(kTypeFarPointer, "", 4, s);
  uint32_t arr = x.AddType(kTypeArray, "", 6, kTypeInt);
  // The basic types' records stand at the indexes of their ids.
  x.AddSymbol("i", kTypeInt, 0x20, 0x00);
  x.AddSymbol("l", kTypeLong, 0x20, 0x02);
  x.AddSymbol("c", kTypeSignedChar, 0x20, 0x06);
  x.AddSymbol("f", kTypeDouble, 0x20, 0x08);
  x.AddSymbol("s", s, 0x20, 0x10);
  x.AddSymbol("p", ptrS, 0x20, 0x20);
  x.AddSymbol("arr", arr, 0x20, 0x30);
  x.AddSymbol("u", kTypeUnsignedInt, 0x20, 0x40);
  x.AddScope(seg, 0, 0, 0x20, {{"loc", kTypeUnsignedInt, 0, 0xFFFE, 2}});
  x.AddSymbol("Word", kTypeUnsignedInt, 0, 0);  // a type name
  return x;
}

void PutEvalValues(FakeTarget& target) {
  target.Put<int16_t>(kEvalData + 0x00, 7);
  target.Put<int32_t>(kEvalData + 0x02, 100000);
  target.Put<char>(kEvalData + 0x06, 'A');
  target.Put<double>(kEvalData + 0x08, 2.5);
  target.Put<int16_t>(kEvalData + 0x10, 1);
  target.Put<int32_t>(kEvalData + 0x12, 2);
  target.Put<uint32_t>(kEvalData + 0x20, 0x10200010);  // 1020:0010, that is &s
  for (int k = 0; k < 3; ++k) target.Put<int16_t>(kEvalData + 0x30 + 2 * k, int16_t(10 * (k + 1)));
  target.Put<uint16_t>(kEvalData + 0x40, 65535);
}

}  // namespace fixture
