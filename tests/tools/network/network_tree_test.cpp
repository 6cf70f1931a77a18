// The resource table: slot numbers in fetch order with the gap each level's end leaves,
// failures that keep what was read, the 1000-slot limit, and which node texts open.

#include <gtest/gtest.h>

#include "tests/support/fake_network_discovery.h"
#include "tools/network/network_texts.h"
#include "tools/network/network_tree.h"

using namespace pelmora;
using pelmora::testing::FakeNetworkDiscovery;
using Kind = platform::NetworkResourceKind;

namespace {

std::vector<std::string> Names(const NetworkResourceTable& table, const NetworkLevel& level) {
    std::vector<std::string> names;
    for (int slot : level.entries) names.push_back(table.Record(slot).remoteName);
    return names;
}

}  // namespace

TEST(NetworkResourceTable, SlotsFollowTheFetchOrderWithAGapAfterEachLevel) {
    FakeNetworkDiscovery network = FakeNetworkDiscovery::SmallNetwork();
    NetworkResourceTable table(network);

    const NetworkLevel top = table.EnumerateNetwork(-1);
    EXPECT_EQ(top.entries, (std::vector<int>{1}));  // slot 2 found no more entries
    EXPECT_FALSE(top.error);
    EXPECT_EQ(table.Record(1).kind, Kind::Provider);

    const NetworkLevel groups = table.EnumerateNetwork(1);
    EXPECT_EQ(groups.entries, (std::vector<int>{3}));
    const NetworkLevel servers = table.EnumerateNetwork(3);
    EXPECT_EQ(servers.entries, (std::vector<int>{5, 6}));
    EXPECT_EQ(Names(table, servers), (std::vector<std::string>{"//alpha", "//beta"}));
    const NetworkLevel shares = table.EnumerateNetwork(5);
    EXPECT_EQ(shares.entries, (std::vector<int>{8, 9}));
    EXPECT_EQ(Names(table, shares), (std::vector<std::string>{"//alpha/docs", "//alpha/music"}));
    EXPECT_FALSE(table.Record(8).container);

    // A server with no shares still uses the slot of its one request.
    const NetworkLevel none = table.EnumerateNetwork(6);
    EXPECT_TRUE(none.entries.empty());
    EXPECT_EQ(table.LastSlot(), 11);
    // The level below a record is read from what the record holds.
    EXPECT_EQ(network.opened, (std::vector<std::string>{"", "SMB", "WORKGROUP", "//alpha", "//beta"}));

    EXPECT_EQ(NetworkNodeKey(7), "RESIDX:7");
    EXPECT_EQ(SlotOfNetworkNodeKey("RESIDX:1000"), 1000);
    for (const char* key : {"RESIDX:", "RESIDX:7x", "residx:7", "7", ""}) {
        EXPECT_FALSE(SlotOfNetworkNodeKey(key)) << key;
    }
    EXPECT_THROW(table.Record(12), std::out_of_range);
}

TEST(NetworkResourceTable, FailuresKeepWhatWasReadAndReportTheSystemsText) {
    FakeNetworkDiscovery network = FakeNetworkDiscovery::SmallNetwork();
    network.levels["WORKGROUP"].failAtEnd = std::make_error_code(std::errc::timed_out);
    network.levels["//alpha"].openError = std::make_error_code(std::errc::permission_denied);
    NetworkResourceTable table(network);
    table.EnumerateNetwork(-1);
    table.EnumerateNetwork(1);

    const NetworkLevel servers = table.EnumerateNetwork(3);
    EXPECT_EQ(servers.entries, (std::vector<int>{5, 6}));
    EXPECT_EQ(servers.error, std::errc::timed_out);
    EXPECT_EQ(NetworkErrorText(servers.error), std::generic_category().message(ETIMEDOUT));
    EXPECT_EQ(table.LastSlot(), 7);  // the failed request used its slot too

    // A level that cannot be opened uses no slot.
    const NetworkLevel shares = table.EnumerateNetwork(5);
    EXPECT_TRUE(shares.entries.empty());
    EXPECT_EQ(shares.error, std::errc::permission_denied);
    EXPECT_EQ(table.LastSlot(), 7);
    EXPECT_FALSE(shares.tableFull);
}

TEST(NetworkResourceTable, StopsCleanlyWhenTheThousandSlotsAreUsed) {
    FakeNetworkDiscovery network;
    network.levels[""] = {{FakeNetworkDiscovery::Entry(Kind::Group, "G", true)}, {}, {}};
    for (int i = 1; i <= 1200; ++i) {
        network.levels["G"].entries.push_back(
            FakeNetworkDiscovery::Entry(Kind::Server, "//s" + std::to_string(i), true));
    }
    NetworkResourceTable table(network);
    table.EnumerateNetwork(-1);  // slots 1 and 2

    const NetworkLevel servers = table.EnumerateNetwork(1);
    ASSERT_EQ(servers.entries.size(), 998u);
    EXPECT_EQ(servers.entries.front(), 3);
    EXPECT_EQ(servers.entries.back(), 1000);
    EXPECT_TRUE(servers.tableFull);
    EXPECT_FALSE(servers.error);
    EXPECT_EQ(table.Record(1000).remoteName, "//s998");
    EXPECT_EQ(table.LastSlot(), 1000);

    // Nothing more is read until the window opens again.
    const NetworkLevel more = table.EnumerateNetwork(3);
    EXPECT_TRUE(more.entries.empty());
    EXPECT_TRUE(more.tableFull);
    EXPECT_EQ(table.LastSlot(), 1000);
}

TEST(NetworkNodeText, OnlyASharePathOpensInTheMainWindow) {
    for (const char* text : {"//alpha/docs", "//a/b", "//server/share/deeper", "//a//"}) {
        EXPECT_TRUE(OpensInMainWindow(text)) << text;
    }
    for (const char* text : {"//alpha", "//alpha/", "///x", "WORKGROUP", "/alpha/docs", "//", "",
                             network_texts::kPlaceholderNode}) {
        EXPECT_FALSE(OpensInMainWindow(text)) << text;
    }
}
