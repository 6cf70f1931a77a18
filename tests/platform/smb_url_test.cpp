// The smb:// URLs handed to libsmbclient: nothing written into a path is read as URL syntax.

#include "platform/smb_url.h"

#include <gtest/gtest.h>

namespace pelmora::platform {
namespace {

TEST(SmbUrl, OnlyHostNamesAndAddressesArePlainServers) {
    for (const char* plain : {"nas", "NAS-2", "files_01", "nas.example.local", "127.0.0.1", "[::1]",
                              "[fd00::2]", "[::ffff:127.0.0.1]", "[2001:db8:0:0:0:0:0:1]"})
        EXPECT_TRUE(IsPlainServerName(plain)) << plain;
    for (const char* other : {"", "alice:S3cret@127.0.0.1", "evil@host", "127.0.0.1:44517", "127.0.0.%31", "my pc",
                              "-nas", ".", "..", "[::1", "::1", "[::1%eth0]", "[1::2::3]", "[nas]", "host?x",
                              "h\xc3\xa4user", "host;x", "[:]"})
        EXPECT_FALSE(IsPlainServerName(other)) << other;
}

TEST(SmbUrl, AServerThatIsNoPlainNameIsEscapedWholeNeverReadAsUserPortOrEscape) {
    EXPECT_EQ(SmbUrlOfPath("//127.0.0.1/guest"), "smb://127.0.0.1/guest");
    EXPECT_EQ(SmbUrlOfPath("//[::1]/guest/a"), "smb://[::1]/guest/a");
    EXPECT_EQ(SmbUrlOfPath("//alice:S3cret@127.0.0.1/guest"), "smb://alice%3AS3cret%40127.0.0.1/guest");
    EXPECT_EQ(SmbUrlOfPath("//127.0.0.1:44517/guest"), "smb://127.0.0.1%3A44517/guest");
    EXPECT_EQ(SmbUrlOfPath("//127.0.0.%31/x"), "smb://127.0.0.%2531/x");
    EXPECT_EQ(SmbUrlOfPath("//my pc"), "smb://my%20pc");
    // The library hands the escaped spelling to its credential callback; the store is asked
    // with the name the user wrote, which is the host the library looks up.
    for (const char* server : {"alice:S3cret@127.0.0.1", "127.0.0.%31", "my pc", "nas", "[::1]"}) {
        const std::string url = SmbUrl(server);
        EXPECT_EQ(ServerFromLibrary(url.substr(6)), server) << url;
    }
}

TEST(SmbUrl, EveryShareAndPathComponentIsEscaped) {
    EXPECT_EQ(SmbUrl("nas", "/a b/100%/x?y=1/#z;w/caf\xc3\xa9"),
              "smb://nas/a%20b/100%25/x%3Fy%3D1/%23z%3Bw/caf%C3%A9");
    EXPECT_EQ(SmbUrl("nas", "/share/"), "smb://nas/share/");
    EXPECT_EQ(SmbUrl("nas", "/.-_~"), "smb://nas/.-_~");
    // The network itself, and a workgroup whose name has a space.
    EXPECT_EQ(SmbUrl(""), "smb://");
    EXPECT_EQ(SmbUrl("MY GROUP"), "smb://MY%20GROUP");
    // A name that is not valid UTF-8 keeps its bytes.
    EXPECT_EQ(SmbUrlOfPath("//nas/s/\xff\xfe"), "smb://nas/s/%FF%FE");
}

}  // namespace
}  // namespace pelmora::platform
