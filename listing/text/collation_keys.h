#pragma once
// Sort keys for ordering many texts: the key of each text is made once and keys compare
// bytewise (std::string's operator<) in the order CompareTextThenBytes gives.

#include <string>
#include <string_view>

#include "platform/text_collation.h"

namespace pelmora {

// The whole key of a text: its collation key, then the text's own bytes to break ties. One
// maker reuses its buffers across calls; it is not meant to be shared between threads.
class TextSortKeyMaker {
public:
    // Appends the key of text to out (out is not cleared).
    void AppendKey(std::string_view text, std::string& out);
    std::string Key(std::string_view text);

private:
    platform::CollationKeyMaker collation_;
};

// Keys whose bytes alone order texts as CompareText does: the collation key, or, without a
// collation, the text's own bytes. Texts the order sees as equal get equal keys, so a sort
// on them keeps such texts in the order it was given them. Each maker works with a collator
// of its own: keep one per thread and make keys on many threads at once.
class OrderKeyMaker {
public:
    // Appends the key of text to out (out is not cleared).
    void AppendKey(std::string_view text, std::string& out);

private:
    platform::CollationKeyMaker collation_{platform::CollationKeyMaker::Collator::OwnCopy};
};

}  // namespace pelmora
