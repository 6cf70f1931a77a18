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

}  // namespace
