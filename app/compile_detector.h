// Tells from a build tool's output, chunk by chunk, whether the last thing
// it reported was a compile: Borland-style make indents the commands it
// runs by a TAB at a line's start; the GNU tools appear by name.
#pragma once

#include <string>
#include <vector>

class CCompileDetector {
 public:
  explicit CCompileDetector(std::vector<std::string> compilerNames = {"xscale-elf-gcc", "xscale-elf-g++"})
      : m_names(std::move(compilerNames)) {}

  // One chunk as read from the pipe.
  void Feed(const char* chunk, size_t length);
  bool Compiled() const { return m_compiled; }

 private:
  bool NamesCompiler(const std::string& chunk) const;

  std::vector<std::string> m_names;
  bool m_compiled = false;
  char m_last = 0;  // the previous chunk's last byte
};
