// File name patterns with "*" (any run) and "?" (one character), compared
// without letter case. As on Windows, "*.*" matches every name, trailing
// blanks and dots of a pattern are dropped, and a pattern without a dot
// of its own that ended in "." ("x.", "*.") matches names without an
// extension ("*.txt." is "*.txt").
#pragma once

#include <string_view>

namespace plat {

bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace plat
