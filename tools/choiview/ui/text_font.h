#pragma once
// The font of ChoiView's text view. Archive listings are tables and many texts line up in
// columns, so the font is fixed-width with Japanese in it: a half-width character one column,
// a full-width one exactly two. IPAGothic is the one the program installs with; other
// Japanese fixed-width fonts follow, and without any the system's fixed-width font (its
// Japanese then comes from another font and columns with Japanese may not line up).

#include <QFont>
#include <QStringList>

namespace pelmora {

// The Japanese fixed-width families, best first.
QStringList JapaneseFixedWidthFamilies();

// base's size in the first family of JapaneseFixedWidthFamilies() that is installed (among
// `installed`, the font database's families when not given), or else in the system's
// fixed-width font.
QFont FixedWidthTextFont(const QFont& base);
QFont FixedWidthTextFont(const QFont& base, const QStringList& installed);

}  // namespace pelmora
