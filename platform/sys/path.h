// Path helpers. Every helper accepts "\" as well as "/" as a separator on
// input and produces "/".
#pragma once

#include <string>
#include <string_view>

#include "platform/sys/atomic_file.h"

namespace plat {

// "\" becomes "/".
std::string NormalizeSeparators(std::string_view path);

// True when two paths name the same file as the file system reads them:
// byte for byte, letter case counting; "\" and "/" are the same separator.
bool SameFilePath(std::string_view a, std::string_view b);

// True for a path that starts with "/" (after normalising).
bool IsAbsolutePath(std::string_view path);

// True when the path names a folder part ("a/b", "./b"), not just a file name.
bool HasDirectoryPart(std::string_view path);

// "a/b/c.txt" -> "a/b"; "c.txt" -> ""; "/c.txt" -> "/".
std::string DirectoryPart(std::string_view path);

// "a/b/c.txt" -> "c.txt"; "a/b/" -> "".
std::string FileNamePart(std::string_view path);

// The extension with its dot, from the last "." of the file name part:
// "a/b.tar.gz" -> ".gz"; "a.b/c" -> ""; ".profile" -> ".profile".
std::string ExtensionPart(std::string_view path);

// The file name part without its extension: "a/b.c" -> "b".
std::string FileTitlePart(std::string_view path);

// dir + "/" + name, one separator between; an absolute name or an empty dir
// gives the name alone.
std::string JoinPath(std::string_view dir, std::string_view name);

// Lexical clean-up: separators normalised, "." and empty parts dropped, ".."
// folds into its parent (never above "/").
std::string CleanPath(std::string_view path);

// The path made absolute against the current directory, then cleaned.
std::string AbsolutePath(std::string_view path);

// The running program's file and folder (from /proc/self/exe).
std::string ProgramPath();
std::string ProgramDir();

// The user's home folder ($HOME, else the password database, else "/").
std::string HomeDir();

// The folder of the user's settings: $MIRT_CONFIG_DIR, else ~/.config/mirt2.
// Created when missing.
std::string SettingsDir();

// True when the path names an existing file (not a folder) / folder.
bool FileExists(std::string_view path);
bool DirectoryExists(std::string_view path);

}  // namespace plat
