#pragma once
// The path operations the whole program shares. Paths are POSIX byte strings: "/" separates
// components and there is no drive part, so DrivePart is always empty and the folder of a
// file directly below the root ("/b.txt") is the empty text, just as the folder part of a
// path never keeps its last separator.

#include <string>
#include <string_view>

namespace pelmora {

// The part before the first NUL character, or the whole text when there is none.
std::string TrimAtNul(std::string_view text);

// Always empty: POSIX paths have no drive part. Kept so callers read like their Windows twins.
std::string DrivePart(std::string_view path);

// Everything before the last "/"; empty when there is no "/" (or only the leading one).
std::string FolderPart(std::string_view path);

// The last component; empty for an empty path, a path ending in "/", "." and "..".
// A hidden file's name (".profile") is its own name.
std::string FileNamePart(std::string_view path);

// The text after the last "." of the whole path, not only of its last component, so
// "/my.dir/readme" gives "dir/readme"; empty without a dot or when nothing follows it.
std::string ExtensionPart(std::string_view path);

}  // namespace pelmora
