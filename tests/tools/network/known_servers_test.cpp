// The servers known without browsing, and the provider level that shows them as a group:
// each server once whatever its source, the group also when the provider's own level fails,
// and slots given to a level read apart from the table as the table would give them.

#include <gtest/gtest.h>

#include <algorithm>

#include "i18n/translation.h"
#include "tests/support/fake_network_discovery.h"
#include "tools/network/known_server_discovery.h"
#include "tools/network/known_servers.h"
#include "tools/network/network_texts.h"
#include "tools/network/network_tree.h"

using namespace pelmora;
using pelmora::testing::FakeNetworkDiscovery;
using Kind = platform::NetworkResourceKind;

TEST(KnownServers, EachServerOnceFromDrivesMountsAndTypedNames) {
    const std::vector<platform::Volume> volumes{
        {"/", {}, "/dev/sda1", "ext4"},
        {"/mnt/nas", {}, "//NAS/media", "cifs"},
        {"/mnt/files", {}, "//files.example/data", "smb3"},
        {"/run/user/0/gvfs/smb-share:server=printer,share=scans", "//printer/scans", "//printer/scans",
         "fuse.gvfsd-fuse"},
        {"/media/usb", "//not-a-share", "/dev/sdb1", "vfat"},
    };
    EXPECT_EQ(KnownServersFrom({"//nas/docs", "//10.0.0.5/pub"}, volumes, {"files.example", "[::1]"}),
              (std::vector<std::string>{"nas", "10.0.0.5", "files.example", "printer", "not-a-share", "[::1]"}));
    EXPECT_TRUE(KnownServersFrom({}, {}, {}).empty());
}

TEST(KnownServers, TypedNamesAreKeptOnceForTheRun) {
    RememberTypedServer("typed-host");
    RememberTypedServer("TYPED-HOST");
    const std::vector<std::string> typed = TypedServers();
    EXPECT_EQ(std::count(typed.begin(), typed.end(), "typed-host"), 1);
    EXPECT_EQ(std::count(typed.begin(), typed.end(), "TYPED-HOST"), 0);
}

TEST(KnownServerDiscovery, TheProviderStartsWithTheGroupEvenWhenItsLevelFails) {
    FakeNetworkDiscovery network = FakeNetworkDiscovery::SmallNetwork();
    network.levels["SMB"].openError = std::make_error_code(std::errc::no_such_file_or_directory);
    std::vector<std::string> servers{"nas"};
    KnownServerDiscovery discovery(network, [&] { return servers; });
    NetworkResourceTable table(discovery);

    const NetworkLevel top = table.EnumerateNetwork(-1);
    ASSERT_EQ(top.entries.size(), 1u);
    const NetworkLevel provider = table.EnumerateNetwork(top.entries[0]);
    ASSERT_EQ(provider.entries.size(), 1u);
    EXPECT_EQ(provider.error, std::errc::no_such_file_or_directory);
    const platform::NetworkResource& group = table.Record(provider.entries[0]);
    EXPECT_EQ(group.remoteName, Translated(network_texts::kKnownServersGroup));
    EXPECT_TRUE(group.container);

    // Asked each time it is read: a server connected since is there.
    servers.push_back("10.0.0.5");
    const NetworkLevel known = table.EnumerateNetwork(provider.entries[0]);
    ASSERT_EQ(known.entries.size(), 2u);
    EXPECT_FALSE(known.error);
    EXPECT_EQ(table.Record(known.entries[1]).remoteName, "//10.0.0.5");
    EXPECT_EQ(table.Record(known.entries[1]).kind, Kind::Server);
    EXPECT_EQ(table.Record(known.entries[1]).locator, platform::SmbServerResource("10.0.0.5").locator);
}

TEST(NetworkLevelRead, SlotsAsTheTableGivesThemAndOnlyAsManyRequestsAsSlots) {
    FakeNetworkDiscovery network = FakeNetworkDiscovery::SmallNetwork();
    NetworkResourceTable table(network);
    table.EnumerateNetwork(-1);  // slots 1 and 2

    // Read apart, given slots later: the entries, then the slot of the request that ended.
    NetworkLevelRead read = ReadNetworkLevel(network, &table.Record(1), table.FreeSlots());
    const NetworkLevel level = table.Take(std::move(read));
    EXPECT_EQ(level.entries, (std::vector<int>{3}));
    EXPECT_EQ(table.LastSlot(), 4);
    EXPECT_EQ(table.Add(platform::SmbServerResource("typed")), 5);

    // With room for one entry, the reading stops before asking for a second.
    platform::NetworkResource workgroup = table.Record(3);
    const NetworkLevelRead tight = ReadNetworkLevel(network, &workgroup, 1);
    EXPECT_EQ(tight.entries.size(), 1u);
    EXPECT_TRUE(tight.outOfSlots);

    // A level that does not open takes no slot.
    network.levels["//beta"].openError = std::make_error_code(std::errc::timed_out);
    const platform::NetworkResource beta = FakeNetworkDiscovery::Entry(Kind::Server, "//beta", true);
    const NetworkLevel failed = table.Take(ReadNetworkLevel(network, &beta, table.FreeSlots()));
    EXPECT_EQ(failed.error, std::errc::timed_out);
    EXPECT_EQ(table.LastSlot(), 5);
}
