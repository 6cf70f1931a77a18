#pragma once
// The network browse window's resource table and the reading of one level into it. Every
// request of an entry takes the next slot (1, 2, 3, ...), also the request that finds no
// more entries and one that fails, so the keys "RESIDX:n" show the order of fetching with
// gaps between the levels. Slots are never reused while the window is open; after the
// last slot the reading stops and says so.

#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/network_discovery.h"

namespace pelmora {

inline constexpr int kNetworkSlotCount = 1000;

// What reading one level gave: the slots of its entries in fetch order, and why it stopped early.
struct NetworkLevel {
    std::vector<int> entries;
    std::error_code error;   // the level could not be opened, or an entry could not be read
    bool tableFull = false;  // every slot was used before the level ended
};

// One level as read from the network, before its entries have slots. At most `freeSlots`
// requests are made: the reading stops for space when every one of them gave an entry.
struct NetworkLevelRead {
    std::vector<platform::NetworkResource> entries;
    std::error_code error;
    bool opened = false;      // the level opened (its requests take slots)
    bool outOfSlots = false;  // stopped before asking for more entries
};

// Reads the level below `parent` (the top level for null). It waits on the network: the
// window calls it on a thread of its own, with a copy of the parent's record.
NetworkLevelRead ReadNetworkLevel(platform::NetworkDiscovery& discovery, const platform::NetworkResource* parent,
                                  int freeSlots);

class NetworkResourceTable {
public:
    explicit NetworkResourceTable(platform::NetworkDiscovery& discovery) : discovery_(discovery) {}

    // Reads the level below the record in `parentSlot`, or the top level for -1.
    NetworkLevel EnumerateNetwork(int parentSlot);

    // The slots not handed out yet.
    int FreeSlots() const { return kNetworkSlotCount - lastSlot_; }

    // Gives slots to a level read by ReadNetworkLevel, as EnumerateNetwork would have: one
    // per entry, and one for the request that ended the level.
    NetworkLevel Take(NetworkLevelRead read);

    // A record the user added by hand (a server typed in); nothing when the table is full.
    std::optional<int> Add(platform::NetworkResource record);

    // The record of a slot handed out by EnumerateNetwork.
    const platform::NetworkResource& Record(int slot) const;

    // The counter: the last slot given out (0 before the first).
    int LastSlot() const { return lastSlot_; }

private:
    // The next slot, or nothing when all are used.
    std::optional<int> NextRecordSlot();

    platform::NetworkDiscovery& discovery_;
    std::vector<platform::NetworkResource> records_ = std::vector<platform::NetworkResource>(kNetworkSlotCount + 1);
    int lastSlot_ = 0;
};

// "RESIDX:7" for slot 7.
std::string NetworkNodeKey(int slot);
// The slot of a key, or nothing for any other text.
std::optional<int> SlotOfNetworkNodeKey(std::string_view key);

// True for a node text of the form //server/share (wildcard "//?*/?*"): a share the main
// window can browse. A server (//server) or a group is not.
bool OpensInMainWindow(std::string_view nodeText);

// The message of a failed level: the system's text for the error.
std::string NetworkErrorText(const std::error_code& error);

}  // namespace pelmora
