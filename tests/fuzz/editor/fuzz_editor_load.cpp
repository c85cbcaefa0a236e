// Any bytes as a source file: loaded, split in pieces of any size, saved.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "editor/editbuffer.h"
#include "editor/linesplitter.h"

namespace {

std::string TempPath(const char* name) { return "/tmp/mirt_fuzz_" + std::to_string(getpid()) + name; }

void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) std::abort();
  if (size > 0) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

void CheckLines(EditBuffer& buffer) {
  int n = 0;
  for (EditLine* line = buffer.GetHead(buffer.m_pLines); line != nullptr; line = line->next) {
    if (line->lineNumber != ++n) std::abort();
    if (line->text != nullptr && line->text[line->length] != '\0') std::abort();
    if (buffer.TextWidth(line->text, buffer.ContentLength(line)) > kMaxLineColumns) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  int type = data[0] & 3;
  int piece = 1 + data[1];
  data += 2;
  size -= 2;
  EditBuffer buffer;
  buffer.SetLineEndType(type);
  buffer.SetTabSize(1 + (piece & 15));
  {
    LineSplitter splitter(buffer);
    for (size_t at = 0; at < size; at += piece) {
      size_t n = size - at < (size_t)piece ? size - at : piece;
      if (!splitter.Feed(reinterpret_cast<const char*>(data + at), (int)n)) std::abort();
    }
    splitter.Finish();
    EditLine* lines = splitter.Take();
    for (EditLine* l = lines; l != nullptr; l = l->next) {
      if (buffer.TextWidth(l->text, buffer.ContentLength(l)) > kMaxLineColumns) std::abort();
    }
    buffer.FreeLines(lines);
  }
  std::string path = TempPath(".c");
  WriteBytes(path, data, size);
  if (buffer.LoadFile(path.c_str()) == 0) {
    CheckLines(buffer);
    std::string copy = TempPath("_copy.c");
    buffer.SaveFile(copy.c_str());
    std::remove(copy.c_str());
  }
  if (buffer.m_pLines == nullptr) std::abort();
  std::remove(path.c_str());
  return 0;
}
