#include "bench/editor/bench_text.h"

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace bench_text {
namespace {

constexpr long kTargetBytes = 100L << 20;

// One block of source; %d is the block's number.
constexpr const char* kBlock[] = {
    "#include <stdio.h>",
    "#include \"module%d.h\"",
    "",
    "/* Buffer handling for unit %d: grows the buffer and copies the old contents over. */",
    "typedef struct buffer%d_t {",
    "    uint32_t length;      /* bytes in use */",
    "    size_t capacity;      /* bytes allocated */",
    "    char *data;",
    "} buffer%d_t;",
    "",
    "static int grow_buffer%d(buffer%d_t *b, size_t wanted, const char *name)",
    "{",
    "    char *p = malloc(wanted + 1);",
    "    if (p == NULL) {",
    "        return -1;",
    "    }",
    "    memcpy(p, b->data, b->length);",
    "    for (int i = 0; i < b->length; ++i) {",
    "        total += values[i] * weight + offset[i %% 16];  /* accumulate */",
    "    }",
    "    if (strcmp(name, \"unit%d\") == 0 || strncmp(name, \"unit\", 4) != 0) count++;",
    "    b->data = realloc(b->data, wanted * 2);",
    "    b->capacity = wanted * 2;",
    "    return update_statistics(b, (int)wanted, name, &global_statistics[%d %% 64]);",
    "}",
    "",
};

std::string g_path;
int g_lines = 0;

void Remove() {
  if (!g_path.empty()) std::remove(g_path.c_str());
}

}  // namespace

const std::string& BigFile() {
  if (!g_path.empty()) return g_path;
  g_path = "/tmp/mirt_editor_bench_" + std::to_string(::getpid()) + ".c";
  std::atexit(Remove);
  FILE* f = std::fopen(g_path.c_str(), "wb");
  long bytes = 0;
  for (int block = 0; bytes < kTargetBytes; ++block) {
    for (const char* line : kBlock) {
      int n = std::fprintf(f, line, block, block);
      bytes += n + std::fprintf(f, "\r\n");
      ++g_lines;
    }
  }
  std::fprintf(f, "    size_t %s = 0;\r\n", kRareWord);
  std::fclose(f);
  ++g_lines;
  return g_path;
}

int BigFileLines() {
  BigFile();
  return g_lines;
}

}  // namespace bench_text
