// Prints the member listing of one archive, as the archive command would deliver it, so the
// bench script can time it against the archivers' own listing programs.

#include <cstdio>

#include "listing/archive/archive_listing.h"
#include "platform/time_zone.h"

int main(int argc, char** argv) {
    pelmora::platform::PinLocalTimeZone();  // as the programs do
    if (argc != 2) {
        std::fputs("usage: archive_listing_bench ARCHIVE\n", stderr);
        return 2;
    }
    const std::string text = pelmora::ArchiveListing(argv[1], nullptr);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return text.empty() ? 1 : 0;
}
