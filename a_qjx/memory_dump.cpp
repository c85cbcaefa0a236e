#include "a_qjx/memory_dump.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "a_qjx/board_family.h"
#include "platform/sys/file.h"

namespace {

constexpr DWORD kDumpBlockBytes = 0x4000;

class DumpFile {
 public:
  explicit DumpFile(LPCSTR path)
      : handle_(CreateFile(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~DumpFile() {
    if (IsOpen()) CloseHandle(handle_);
  }
  DumpFile(const DumpFile&) = delete;
  DumpFile& operator=(const DumpFile&) = delete;
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  bool Write(const std::string& text) {
    DWORD written = 0;
    return WriteFile(handle_, text.data(), DWORD(text.size()), &written, nullptr) && written == text.size();
  }

 private:
  HANDLE handle_;
};

void AppendDumpByte(std::string* text, const MemoryDumpRequest& request, uint64_t index, BYTE value) {
  char piece[24];
  if (index % uint64_t(request.lineSize) == 0) {
    *text += "\r\n";
    if (request.addresses == DumpAddresses::Write) {
      std::snprintf(piece, sizeof piece, "%.8X: ", unsigned(request.start + DWORD(index)));
      *text += piece;
    }
  }
  std::snprintf(piece, sizeof piece, "%.2X ", unsigned(value));
  *text += piece;
}

}  // namespace

DumpResult WriteMemoryDump(CBoardFamily& family, LPCSTR path, const MemoryDumpRequest& request) {
  DumpFile file(path);
  if (!file.IsOpen()) return DumpResult::FileError;
  const uint64_t total = uint64_t(request.stop) - request.start + 1;
  std::vector<BYTE> block(kDumpBlockBytes);
  std::string text;
  for (uint64_t done = 0; done < total;) {
    const DWORD count = DWORD(std::min<uint64_t>(kDumpBlockBytes, total - done));
    const DWORD first = request.start + DWORD(done);
    family.ReadMemory(first, first + count - 1, block.data());
    if (family.CheckDriverError() == 1) return DumpResult::ReadError;
    text.clear();
    for (DWORD i = 0; i < count; ++i) AppendDumpByte(&text, request, done + i, block[i]);
    if (!file.Write(text)) return DumpResult::FileError;
    done += count;
  }
  char trailer[96];
  std::snprintf(trailer, sizeof trailer, "\r\n***************************\r\nMemory dump: %lX hex to %lX hex",
                (unsigned long)request.start, (unsigned long)request.stop);
  return file.Write(trailer) ? DumpResult::Written : DumpResult::FileError;
}
