// A generated C source of about 100 MB with CR LF line ends, for the text
// engine's benchmarks: calls, loops, typedefs and includes repeat block
// after block (frequent matches), and the one rare word stands on the last
// line. The file is removed when the program ends.
#pragma once

#include <string>

namespace bench_text {

constexpr const char* kRareWord = "zebrafish";

// The path of the file, written on first use.
const std::string& BigFile();
// Lines in it.
int BigFileLines();

}  // namespace bench_text
