// QxCMD code format [p1] ... [pn]: a board macro command. The low nibble of
// the format gives the data bytes sent, the high nibble the answer length.
#include <cstdlib>
#include <vector>

#include "a_qjx/ins_interpreter.h"
#include "a_qjx/ins_texts.h"
#include "drivers/rizo32/rizo32.h"

namespace {

struct MacroLayout {
  bool lengthWord = false;  // two tokens, low byte first
  bool countWord = false;   // two tokens, low byte first
};

// False for an answer nibble that is not allowed.
bool LayoutOf(BYTE format, MacroLayout* layout) {
  const BYTE h = format >> 4, l = format & 0x0F;
  if (h == 12 || h == 14) return false;
  layout->lengthWord = l == 13 || l == 15;
  layout->countWord = h == 13 || h == 15;
  return true;
}

DWORD DataLength(BYTE format, WORD lengthWord) {
  const BYTE l = format & 0x0F;
  if (l == 0 || l == 12 || l == 14) return 0;
  if (l == 13 || l == 15) return lengthWord;
  return l;
}

DWORD AnswerLength(BYTE format, WORD countWord) {
  const BYTE h = format >> 4, l = format & 0x0F;
  switch (h) {
    case 0:
      return l == 13 ? 4 : 0;
    case 1:
      return l == 13 ? 4 : 2;
    case 13:
      return l == 13 ? countWord + 6u : countWord + 4u;
    case 15:
      return l == 13 ? countWord + 6u : countWord + 1u;
    default:
      return h;
  }
}

}  // namespace

int16_t InsInterpreter::Cmd(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kCmdHelp;
  std::vector<BYTE> bytes;  // code, format and the rest, in order
  if (line.tokens.GetSize() < 3 || !HexBytes(line.tokens, 1, &bytes)) return SyntaxError();
  const BYTE code = bytes[0], format = bytes[1];
  MacroLayout layout;
  if (!LayoutOf(format, &layout)) return SyntaxError();
  size_t at = 2;
  auto word = [&](WORD* value) {
    if (at + 2 > bytes.size()) return false;
    *value = WORD(bytes[at] | bytes[at + 1] << 8);
    at += 2;
    return true;
  };
  WORD lengthWord = 0, countWord = 0;
  if (layout.lengthWord && !word(&lengthWord)) return SyntaxError();
  if (layout.countWord && !word(&countWord)) return SyntaxError();
  if (bytes.size() - at != DataLength(format, lengthWord)) return SyntaxError();
  if (!execute) return kLineAccepted;

  const DWORD answerLength = AnswerLength(format, countWord);
  std::vector<BYTE> answer(answerLength + 1);
  int16_t r = qj8_send_macro(code, format, lengthWord, countWord, bytes.data() + at, answer.data());
  if (QjFailed(r, reply)) return kLineError;
  if (answerLength != 0) reply.answer = AnswerText(answer.data(), int(answerLength), "%.2hX ");
  return kLineAccepted;
}
