// The setting tree's loader over a profile file: any bytes load without
// harm, in time linear in the file, and every key reads back through every
// reader.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/sec_persistent_tree_node.h"
#include "framework/sec_ptn_strategy_profile.h"

namespace {

const std::string& ProfileFile() {
  static const std::string file = [] {
    auto dir = std::filesystem::temp_directory_path() / ("ptn-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    static const std::filesystem::path removeAtExit = dir;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(removeAtExit, ec);
    });
    setenv("MIRT_CONFIG_DIR", dir.c_str(), 1);
    return (dir / "tree.ini").string();
  }();
  return file;
}

// Reads every key every way; returns the number of nodes below and with node.
size_t Walk(const SECPersistentTreeNode& node) {
  const auto& pairs = node.GetKeyValuePairs();
  for (POSITION pos = pairs.GetHeadPosition(); pos;) {
    const CString& key = pairs.GetNext(pos)->m_strKey;
    CString text;
    int i = 0;
    UINT u = 0;
    LONG l = 0;
    DWORD d = 0;
    BOOL b = 0;
    if (node.GetKeyString(key, text) || node.GetKeyInt(key, i) || node.GetKeyUInt(key, u) ||
        node.GetKeyLong(key, l) || node.GetKeyDWord(key, d) || node.GetKeyBool(key, b))
      std::abort();  // a listed key is present
    BYTE* data = nullptr;
    UINT count = 0;
    if (node.GetKeyBinary(key, &data, &count) == 0 && (!data || !count)) std::abort();
    delete[] data;
  }
  size_t nodes = 1;
  const auto& children = node.GetChildren();
  for (POSITION pos = children.GetHeadPosition(); pos;) nodes += Walk(*children.GetNext(pos));
  return nodes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& file = ProfileFile();
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  for (const char* rootName : {"R", "Layout"}) {
    SECPersistentTreeNode root;
    root.CreateNode(rootName, nullptr);
    SECPTNStrategyProfile strategy(file.c_str());
    root.LoadTree(&strategy);
    if (Walk(root) > size + 1) std::abort();  // every child needs an entry of its own
  }
  return 0;
}
