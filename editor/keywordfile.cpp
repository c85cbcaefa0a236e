#include "editor/keywordfile.h"

#include <cstdlib>
#include <cstring>

#include "editor/colourtext.h"
#include "editor/editplatform.h"
#include "platform/base/charcase.h"

namespace {

std::string Upper(const std::string& s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(mirt::ToUpper1252(static_cast<unsigned char>(c)));
  return out;
}

// The file name without folder and extension.
std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

const COLORREF kUnset = static_cast<COLORREF>(-1);

}  // namespace

unsigned KeywordFile::Hash(const char* word, int len) {
  unsigned h = 0;
  for (int i = 0; i < len && i < kMaxWord; ++i) {
    h = h * 33 + static_cast<unsigned>(static_cast<int>(static_cast<signed char>(word[i])));
  }
  return h & (kEntries - 1);
}

void KeywordFile::Clear() {
  m_overflow = false;
  m_image.clear();
  m_table.clear();
  m_values.clear();
  m_colours.clear();
}

bool KeywordFile::ReadSections(const char* path) {
  auto keywords = EditIniSection(path, "Keywords");
  if (keywords.empty()) keywords = EditIniSection(path, BaseName(path).c_str());
  if (keywords.empty()) return false;
  for (auto& kv : keywords) {
    if (kv.first.empty()) continue;
    m_values.emplace(Upper(kv.first), kv.second);  // the first entry of a key counts
  }
  for (auto& kv : EditIniSection(path, "Colors")) m_colours.emplace(Upper(kv.first), kv.second);
  for (auto& kv : keywords) {
    if (!kv.first.empty() && kv.first.size() <= (size_t)kMaxTableKey) {
      Enter(m_case ? kv.first : Upper(kv.first));
    }
  }
  return !m_values.empty();
}

bool KeywordFile::Load(const char* name, bool caseSensitive) {
  Clear();
  m_case = caseSensitive;
  // The profile functions take a bare name for a file of the settings
  // folder; a keyword file is meant where it was found.
  std::string file(name);
  if (file.find_first_of("/\\") == std::string::npos) file = "./" + file;
  const char* path = file.c_str();
  if (!EditReadFile(path, &m_image)) return false;
  m_table.assign(kEntries, Entry{});
  if (!ReadSections(path)) {
    Clear();
    return false;
  }
  return true;
}

// Linear probing from the key's bucket; a full table leaves the key to the
// section lookup instead of probing for ever.
void KeywordFile::Enter(const std::string& key) {
  int len = static_cast<int>(key.size());
  unsigned start = Hash(key.data(), len);
  unsigned i = start;
  do {
    Entry& e = m_table[i];
    if (e.length == 0) {
      std::memcpy(e.key, key.data(), len);
      e.key[len] = '\0';
      e.length = len;
      e.colour = kUnset;
      return;
    }
    if (e.length == len && std::memcmp(e.key, key.data(), len) == 0) return;
    i = (i + 1) & (kEntries - 1);
  } while (i != start);
  m_overflow = true;
}

int KeywordFile::Probe(const char* word, int len) const {
  unsigned start = Hash(word, len);
  unsigned i = start;
  do {
    const Entry& e = m_table[i];
    if (e.length == 0) return -1;
    if (e.length == len && std::memcmp(e.key, word, len) == 0) return static_cast<int>(i);
    i = (i + 1) & (kEntries - 1);
  } while (i != start);
  return -1;
}

// The colour a keyword's colour name stands for; false when [Colors] has
// no such name.
bool KeywordFile::ColourOf(const std::string& upperKey, COLORREF* colour) const {
  auto value = m_values.find(upperKey);
  std::string name = value != m_values.end() ? value->second : "1";
  auto c = m_colours.find(Upper(name));
  if (c == m_colours.end()) return false;
  *colour = ParseColour(c->second.c_str());
  return true;
}

bool KeywordFile::Lookup(const char* word, int len, COLORREF* colour) {
  if (m_table.empty() || len <= 0) return false;
  if (len <= kMaxProbeWord) {
    int i = Probe(word, len);
    if (i >= 0) {
      Entry& e = m_table[i];
      if (e.colour == kUnset) {
        ColourOf(Upper(std::string(word, len)), colour);
        e.colour = *colour;
      }
      *colour = e.colour;
      return true;
    }
    if (!m_overflow) return false;
  }
  std::string key = Upper(std::string(word, std::min(len, (int)kMaxWord)));
  auto value = m_values.find(key);
  if (value == m_values.end() || value->second.empty()) return false;
  ColourOf(key, colour);
  return true;
}
