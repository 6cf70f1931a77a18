#pragma once
// The path operations the whole program shares. Paths are POSIX byte strings: "/" separates
// components and there is no drive part, so the folder of a file directly below the root
// ("/b.txt") is the empty text, just as the folder part of a path never keeps its last
// separator. The part functions ignore everything after a NUL character.

#include <string>
#include <string_view>

namespace pelmora {

// Everything before the last "/"; empty when there is no "/" (or only the leading one).
std::string FolderPart(std::string_view path);

// The last component; empty for an empty path, a path ending in "/", "." and "..".
// A hidden file's name (".profile") is its own name.
std::string FileNamePart(std::string_view path);
// The same as a view into path, for callers that only append it.
std::string_view FileNameOf(std::string_view path);

// The text after the last "." of the whole path, not only of its last component, so
// "/my.dir/readme" gives "dir/readme"; empty without a dot or when nothing follows it.
std::string ExtensionPart(std::string_view path);
// The same as a view into path.
std::string_view ExtensionOf(std::string_view path);

// The path made absolute against the current folder, with "." and ".." folded lexically
// and no trailing "/" (but the root's). Links are not resolved, so a link keeps the name
// it was given. The path as it stands when the current folder cannot be read.
std::string AbsolutePath(const std::string& path);

}  // namespace pelmora
