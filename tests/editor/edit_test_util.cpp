#include "tests/editor/edit_test_util.h"

namespace edit_test {

void SetText(EditBuffer& buffer, const std::string& text) {
  buffer.ForgetBlockStatesAfter(0);
  buffer.FreeLines(buffer.m_pLines);
  buffer.m_pLines = buffer.SplitText(text.c_str());
  if (buffer.m_pLines == nullptr) buffer.m_pLines = buffer.CreateLine(32);
  buffer.m_nLineCount = buffer.Renumber(buffer.m_pLines);
}

std::string Text(EditBuffer& buffer) {
  std::string out;
  for (const std::string& line : Lines(buffer)) out += line;
  return out;
}

std::vector<std::string> Lines(EditBuffer& buffer) {
  std::vector<std::string> out;
  for (EditLine* line = buffer.GetHead(buffer.m_pLines); line != nullptr; line = line->next) {
    out.emplace_back(line->text != nullptr ? std::string(line->text, line->length) : std::string());
  }
  return out;
}

EditPos At(EditBuffer& buffer, int n, int offset) {
  EditPos pos;
  pos.line = buffer.GetLine(n);
  pos.offset = offset;
  return pos;
}

}  // namespace edit_test
