// Saved framework bar layouts read back from a setting tree stored in a
// profile file: any bytes load without harm and within the record limits.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/sec_dock_state.h"
#include "framework/sec_persistent_tree_node.h"
#include "framework/sec_ptn_strategy_profile.h"

namespace {
const std::string& ProfileFile() {
  static const std::string file = [] {
    auto dir = std::filesystem::temp_directory_path() / ("dock-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    static const std::filesystem::path removeAtExit = dir;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(removeAtExit, ec);
    });
    setenv("MIRT_CONFIG_DIR", dir.c_str(), 1);
    return (dir / "layout.ini").string();
  }();
  return file;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& file = ProfileFile();
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  SECPersistentTreeNode root;
  root.CreateNode("Layout", nullptr);
  SECPTNStrategyProfile strategy(file.c_str());
  root.LoadTree(&strategy);
  SECDockState state;
  state.LoadStateFromTree(&root);
  if (state.RecordCount() > kSECMaxSavedBars) std::abort();
  for (int i = 0; i < state.RecordCount(); ++i)
    if (state.Record(i)->m_arrBarID.GetSize() > kSECMaxSavedBars) std::abort();
  return 0;
}
