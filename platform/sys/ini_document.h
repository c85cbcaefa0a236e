// An INI file in memory, read and changed with the rules of Windows'
// private-profile functions: "[section]" headers, "key=value" lines, ";"
// comments; names compared without letter case; blanks around keys and
// values dropped. Lines that are not changed are written back unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/sys/equal_no_case.h"

namespace plat {

class IniDocument {
 public:
  // Reads CR LF, LF or CR line ends.
  static IniDocument Parse(std::string_view bytes);
  // Every line followed by CR LF.
  std::string Serialize() const;

  bool IsEmpty() const { return m_lines.empty(); }

  // Section names in file order, each once.
  std::vector<std::string> SectionNames() const;
  bool HasSection(std::string_view section) const;
  // Key names of a section in file order. Lists leave out lines without
  // "=" and lines with an empty key, as Windows does.
  std::vector<std::string> KeyNames(std::string_view section) const;
  // The section's entries as "key=value" lines, blanks around both trimmed.
  std::vector<std::string> EntryLines(std::string_view section) const;
  // The value of the first matching key, trimmed and without one pair of
  // enclosing quotes ("..." or '...').
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  // Sets a key: replaces the line in place, or adds it at the end of the
  // section, or adds the section at the end of the file.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);
  // Removes every line of the key; true when something was removed.
  bool DeleteKey(std::string_view section, std::string_view key);
  // Removes the section with all its lines; true when something was removed.
  bool DeleteSection(std::string_view section);
  // Replaces the section's lines with the given ones (created when missing).
  void ReplaceSection(std::string_view section, const std::vector<std::string>& lines);

  // Blanks (space, tab) trimmed from both ends.
  static std::string Trim(std::string_view s);

 private:
  struct Span {
    size_t header;  // index of the "[section]" line
    size_t end;     // one past the last line of the section
  };
  std::optional<Span> FindSection(std::string_view section) const;
  static std::optional<std::string> SectionHeaderName(const std::string& line);
  // For entry lines: the trimmed key and the raw rest after "=".
  static bool SplitEntry(const std::string& line, std::string& key, std::string& rest);
  // An entry that key lists show.
  static bool IsListed(const std::string& line, std::string& key, std::string& rest);
  size_t LastEntryLine(const Span& span) const;

  std::vector<std::string> m_lines;
};

}  // namespace plat
