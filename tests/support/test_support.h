// Helpers shared by all test programs.
#pragma once

#include <string>

namespace mirt_test {

// Built with the address sanitizer (gcc and clang say so differently); it
// keeps freed memory in quarantine, so resident-memory checks don't hold.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

// A fresh directory under the test program's own temporary root; removed
// with the root when the program ends.
std::string MakeTempDir(const std::string& hint = "t");

// Writes bytes to a file, creating or replacing it; returns the path.
std::string WriteFile(const std::string& path, const std::string& bytes);

// The whole content of a file ("" when it cannot be read).
std::string ReadFile(const std::string& path);

// The folder of checked-in test fixtures (tests/data).
std::string DataDir();

// The folder of the test program (where the installation's files are).
std::string ProgramDir();

}  // namespace mirt_test
