// What libsmbclient gets when it asks for credentials: the run's for the server named as the
// URL spelled it, else the guest's empty user and password; each field cut to its size.
#include "platform/posix/smb_credential_callback_posix.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/smb_credentials.h"

namespace pelmora::platform {
namespace {

struct Fields {
    char workgroup[16] = "WORKGROUP";
    char user[8] = "stale";
    char password[8] = "stale";

    void AskFor(const char* server) {
        SupplyRunCredentials(nullptr, server, "share", workgroup, sizeof workgroup, user, sizeof user, password,
                             sizeof password);
    }
};

class SmbCredentialCallback : public ::testing::Test {
protected:
    void TearDown() override {
        for (const char* server : {"known", "file server", "domained", "long"})
            SmbCredentialStore::ForThisRun().Forget(server);
    }
    static void Remember(const std::string& server, const std::string& user, const std::string& domain,
                         const std::string& password) {
        SmbCredentialStore::ForThisRun().Remember(server, SmbCredentials{user, domain, SecretText(password)});
    }
};

TEST_F(SmbCredentialCallback, UnknownServerGetsTheGuestAndKnownOnesTheirOwn) {
    Fields guest;
    guest.AskFor("unknown");
    EXPECT_STREQ(guest.user, "");
    EXPECT_STREQ(guest.password, "");
    EXPECT_STREQ(guest.workgroup, "WORKGROUP");

    // An empty password (its text may hold no pointer) gives an empty field.
    Remember("known", "alice", "", "");
    Fields known;
    known.AskFor("KNOWN");
    EXPECT_STREQ(known.user, "alice");
    EXPECT_STREQ(known.password, "");
    EXPECT_STREQ(known.workgroup, "WORKGROUP");

    // The library names the server as the URL wrote it, escapes and all.
    Remember("file server", "bob", "", "pw");
    Fields escaped;
    escaped.AskFor("file%20server");
    EXPECT_STREQ(escaped.user, "bob");
    EXPECT_STREQ(escaped.password, "pw");

    Remember("domained", "carol", "OFFICE", "secret");
    Fields domained;
    domained.AskFor("domained");
    EXPECT_STREQ(domained.workgroup, "OFFICE");
    EXPECT_STREQ(domained.user, "carol");
    EXPECT_STREQ(domained.password, "secret");
}

TEST_F(SmbCredentialCallback, LongValuesAreCutToTheFieldAndEndedAndNoFieldIsWrittenPast) {
    Remember("long", "a-user-name-longer-than-the-field", "", "password-too-long");
    Fields fields;
    fields.AskFor("long");
    EXPECT_STREQ(fields.user, "a-user-");
    EXPECT_STREQ(fields.password, "passwor");

    // A field of no size, or none at all, is left alone.
    char untouched[4] = "old";
    SupplyRunCredentials(nullptr, "long", "", nullptr, 0, untouched, 0, nullptr, 0);
    EXPECT_STREQ(untouched, "old");
}

}  // namespace
}  // namespace pelmora::platform
