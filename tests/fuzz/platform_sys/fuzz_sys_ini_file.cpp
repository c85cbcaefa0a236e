// The INI reader: any bytes are read without harm; queries and edits on
// what was read keep their promises, and writing is stable.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/sys/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  plat::IniDocument doc =
      plat::IniDocument::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  std::string text = doc.Serialize();
  if (plat::IniDocument::Parse(text).Serialize() != text) std::abort();
  for (const std::string& section : doc.SectionNames()) {
    doc.EntryLines(section);
    for (const std::string& key : doc.KeyNames(section)) {
      if (!doc.Value(section, key)) std::abort();
      doc.SetValue(section, key, "v");
      if (doc.Value(section, key) != "v") std::abort();
    }
  }
  doc.SetValue("fuzz", "k", "1");
  if (doc.Value("fuzz", "k") != "1") std::abort();
  doc.DeleteKey("fuzz", "k");
  if (doc.Value("fuzz", "k")) std::abort();
  doc.DeleteSection("fuzz");
  if (doc.HasSection("fuzz")) std::abort();
  return 0;
}
