#include "debugger/executable_kind.h"

#include <cstring>

#include "platform/sys/file.h"

namespace {

constexpr uint8_t kElfMagic[] = {0x7f, 'E', 'L', 'F'};

}  // namespace

ExecutableKind ExecutableKindOf(const uint8_t* head, size_t length) {
  return length >= sizeof kElfMagic && std::memcmp(head, kElfMagic, sizeof kElfMagic) == 0
             ? ExecutableKind::kHostElf
             : ExecutableKind::kBoard;
}

ExecutableKind ExecutableKindOfFile(const char* path) {
  HANDLE file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ExecutableKind::kBoard;
  uint8_t head[sizeof kElfMagic] = {};
  DWORD read = 0;
  const BOOL ok = ReadFile(file, head, sizeof head, &read, nullptr);
  CloseHandle(file);
  return ok ? ExecutableKindOf(head, read) : ExecutableKind::kBoard;
}
