#include "framework/ptn_binary_text.h"

namespace ptn {

std::string BinaryToText(const BYTE* data, UINT count) {
  std::string text;
  text.reserve(static_cast<size_t>(count) * 2);
  for (UINT i = 0; i < count; ++i) {
    text += static_cast<char>('A' + (data[i] & 15));
    text += static_cast<char>('A' + (data[i] >> 4));
  }
  return text;
}

void TextToBinary(const std::string& text, CByteArray& data) {
  size_t count = text.size() / 2;
  data.SetSize(static_cast<int>(count));
  for (size_t i = 0; i < count; ++i) {
    unsigned low = static_cast<unsigned char>(text[2 * i]) - 65u;
    unsigned high = static_cast<unsigned char>(text[2 * i + 1]) - 65u;
    data[static_cast<int>(i)] = static_cast<BYTE>(low + 16u * high);
  }
}

}  // namespace ptn
