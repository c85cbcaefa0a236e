// Any bytes as a source file: loaded, split in pieces of any size, saved;
// the loaded lines searched and edited beside the same text in lines of
// their own, which must stay alike.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include <vector>

#include "editor/editbuffer.h"
#include "editor/linesplitter.h"
#include "editor/textsearch.h"

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

std::vector<std::string> LinesOf(EditBuffer& buffer) {
  std::vector<std::string> out;
  for (EditLine* line = buffer.GetHead(buffer.m_pLines); line != nullptr; line = line->next)
    out.emplace_back(line->text != nullptr ? std::string(line->text, line->length) : std::string());
  return out;
}

std::vector<std::pair<int, int>> Matches(EditBuffer& buffer, const std::string& pattern,
                                         const LoadedLines* asLoaded) {
  std::vector<std::pair<int, int>> out;
  FindRecord rec;
  rec.pattern = pattern.c_str();
  rec.flags = FIND_FORWARD | FIND_MATCH_CASE;
  EditPos pos{buffer.GetHead(buffer.m_pLines), 0}, none;
  while (FindText(pos, none, &rec, asLoaded)) {
    out.emplace_back(pos.line->lineNumber, pos.offset);
    pos.offset += rec.matchLength > 0 ? rec.matchLength : 1;
  }
  return out;
}

// A few edits picked by the bytes, on the loaded buffer and on the reference.
void EditBoth(EditBuffer& loaded, EditBuffer& ref, const uint8_t* data, size_t size) {
  constexpr int kEdits = 4;
  for (int k = 0; k < kEdits; ++k) {
    int op = data[(3 * k) % size] % 5;
    int n = 1 + data[(3 * k + 1) % size] % (loaded.m_nLineCount > 0 ? loaded.m_nLineCount : 1);
    int offset = data[(3 * k + 2) % size] % 8;
    int rc[2];
    EditBuffer* both[2] = {&loaded, &ref};
    for (int i = 0; i < 2; ++i) {
      EditBuffer& b = *both[i];
      EditPos at{b.GetLine(n), offset};
      switch (op) {
        case 0:
          rc[i] = b.InsertChar(at, 'q', TRUE, TRUE);
          break;
        case 1:
          rc[i] = b.DeleteChar(at, TRUE);
          break;
        case 2:
          rc[i] = b.SplitLine(at, TRUE);
          break;
        case 3:
          rc[i] = b.JoinLines(at, TRUE);
          break;
        default:
          rc[i] = b.DeleteChars(at, 2, TRUE);
          break;
      }
      b.m_nLineCount = b.Renumber(b.m_pLines);
    }
    if (rc[0] != rc[1] || LinesOf(loaded) != LinesOf(ref)) std::abort();
  }
  while (loaded.Undo()) {
  }
  while (ref.Undo()) {
  }
  if (LinesOf(loaded) != LinesOf(ref)) std::abort();
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
    EditBuffer ref;
    ref.SetLineEndType(buffer.m_nLineEndType);
    ref.SetTabSize(buffer.m_nTabSize);
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!bytes.empty() && bytes.back() == 0x1A) bytes.pop_back();  // a final ^Z is not loaded
    ref.FreeLines(ref.m_pLines);
    ref.m_pLines = ref.SplitText(bytes.c_str());
    if (ref.m_pLines == nullptr) ref.m_pLines = ref.CreateLine(32);
    ref.m_nLineCount = ref.Renumber(ref.m_pLines);
    if (LinesOf(buffer) != LinesOf(ref)) std::abort();
    std::string pattern = bytes.substr(size / 2, 1 + size % 3);
    if (pattern.find_first_of(std::string("\r\n\0", 3)) == std::string::npos && !pattern.empty() &&
        Matches(buffer, pattern, buffer.LinesAsLoaded()) != Matches(buffer, pattern, nullptr))
      std::abort();
    if (size > 0) EditBoth(buffer, ref, data, size);
    std::string copy = TempPath("_copy.c");
    buffer.SaveFile(copy.c_str());
    std::remove(copy.c_str());
  }
  if (buffer.m_pLines == nullptr) std::abort();
  std::remove(path.c_str());
  return 0;
}
