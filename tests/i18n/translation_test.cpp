#include "i18n/translation.h"

#include <gtest/gtest.h>

#include <string>

#include "i18n/catalogue_table.h"

namespace pelmora {
namespace {

TEST(FillIn, ReplacesNumberedMarkersInAnyOrderAndLeavesTheRest) {
    EXPECT_EQ(FillIn("%2 of %1", {"a", "b"}), "b of a");
    EXPECT_EQ(FillIn("files: %1", {"12"}), "files: 12");
    EXPECT_EQ(FillIn("100% done, %3 missing", {"x"}), "100% done, %3 missing");
    // An argument that itself holds a marker is not filled in again.
    EXPECT_EQ(FillIn("%1 and %2", {"%2", "y"}), "%2 and y");
    EXPECT_EQ(FillIn("%", {}), "%");
}

std::string Shouting(const char* context, const char* source) { return std::string(context) + ":" + source + "!"; }

TEST(Translated, GoesThroughTheInstalledFunctionThenFillsIn) {
    const UiText pattern = PELMORA_UI_TEXT("Test", "count %1");
    EXPECT_EQ(Translated(pattern, {"3"}), "count 3");
    InstallTranslateFunction(&Shouting);
    EXPECT_EQ(Translated(pattern), "Test:count %1!");
    EXPECT_EQ(Translated(pattern, {"3"}), "Test:count 3!");
    InstallTranslateFunction(nullptr);
    EXPECT_EQ(Translated(pattern), "count %1");
}

TEST(CatalogueTable, HoldsTheTranslationsOfBothLanguagesAndNothingForUnknownTexts) {
    EXPECT_STREQ(CatalogueTranslation(UiLanguage::English, "Listing", "中止しました"), "Cancelled.");
    EXPECT_STREQ(CatalogueTranslation(UiLanguage::Japanese, "Cli", "not found: "), "見つかりません: ");
    EXPECT_EQ(CatalogueTranslation(UiLanguage::English, "Listing", "no such text"), nullptr);
    EXPECT_EQ(CatalogueTranslation(UiLanguage::Japanese, "Listing", "中止しました"), nullptr);
}

}  // namespace
}  // namespace pelmora
