// Comparing names without ASCII letter case, as registry keys and values,
// INI sections and keys and environment variables are compared.
#pragma once

#include <string>
#include <string_view>

namespace plat {

// Byte-wise comparison without ASCII letter case.
bool EqualNoCase(std::string_view a, std::string_view b);

// The name with ASCII capitals made small: a key for maps of such names.
std::string FoldedCase(std::string_view s);

}  // namespace plat
