// File name patterns with "*" (any run) and "?" (one character), compared
// without letter case. As on Windows, "*.*" matches every name and a
// pattern ending in "." matches names without an extension.
#pragma once

#include <string_view>

namespace plat {

bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace plat
