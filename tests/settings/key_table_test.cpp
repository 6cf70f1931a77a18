#include "settings/key_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using namespace pelmora;

TEST(KeyTable, EveryKeyHasItsOwnNameAndField) {
    std::set<std::string> names;
    for (const KeyDescriptor& d : KeyTable()) {
        EXPECT_TRUE(names.insert(d.key).second) << "duplicate key " << d.key;
        EXPECT_TRUE((TextField(Settings{}, d) == nullptr) != (IntField(Settings{}, d) == nullptr)) << d.key;
    }
    // Writing one key's field must leave every other key's field alone.
    for (const KeyDescriptor& d : KeyTable()) {
        Settings s;
        if (std::string* text = TextField(s, d)) {
            *text = "marker";
        } else {
            *IntField(s, d) = 424242;
        }
        for (const KeyDescriptor& other : KeyTable()) {
            if (&other == &d) continue;
            const std::string value = FieldAsText(s, other);
            EXPECT_TRUE(value != "marker" && value != "424242") << d.key << " shares a field with " << other.key;
        }
    }
}

TEST(KeyTable, SectionsComeInFileOrderAndEachOnce) {
    std::vector<std::string_view> order;
    for (const KeyDescriptor& d : KeyTable()) {
        if (order.empty() || order.back() != d.section) order.push_back(d.section);
    }
    const std::vector<std::string_view> expected = {kSectionPelmora, kSectionFolderView, kSectionChoiView,
                                                    kSectionHexView, kSectionAclView};
    EXPECT_EQ(order, expected);
}

TEST(KeyTable, NumberedKeysFillTheirArrays) {
    Settings s;
    *TextField(s, *FindKeyDescriptor("Jump01")) = "first";
    *TextField(s, *FindKeyDescriptor("Jump10")) = "last";
    *TextField(s, *FindKeyDescriptor("ShellExeExt05")) = "ext";
    *TextField(s, *FindKeyDescriptor("ShellExePath05")) = "path";
    EXPECT_EQ(s.Jump[0], "first");
    EXPECT_EQ(s.Jump[9], "last");
    EXPECT_EQ(s.ShellExeExt[4], "ext");
    EXPECT_EQ(s.ShellExePath[4], "path");
    EXPECT_EQ(FindKeyDescriptor("Jump11"), nullptr);
    EXPECT_EQ(FindKeyDescriptor("Jump00"), nullptr);
}

TEST(KeyTable, SavedKeysAreTableKeysWrittenOnce) {
    std::set<std::string_view> seen;
    for (const SavedKey& saved : SavedKeys()) {
        EXPECT_NE(FindKeyDescriptor(saved.key), nullptr) << saved.key;
        EXPECT_TRUE(seen.insert(saved.key).second) << "written twice: " << saved.key;
    }
}

}  // namespace
