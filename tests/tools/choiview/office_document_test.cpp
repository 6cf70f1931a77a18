// The Qt-free side of the web-browser display: the route of each extension, LibreOffice's
// command, the converted-PDF cache and the conversion's thread (with a stand-in program
// playing LibreOffice's part; the real one is shown in the window test).
#include <gtest/gtest.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/network_isolation.h"
#include "tests/support/polling.h"
#include "tests/support/temp_tree.h"
#include "tools/choiview/browser_route.h"
#include "tools/choiview/converted_pdf_cache.h"
#include "tools/choiview/office_conversion.h"

namespace pelmora {
namespace {

namespace fs = std::filesystem;
using testing::TempTree;
using testing::WaitUntil;

TEST(BrowserRoute, EachIeExtensionGoesToItsEngine) {
    for (const char* ext : {"HTML", "HTM", "MHT", "GIF", "JPEG", "JPG"}) {
        EXPECT_EQ(BrowserRouteOfExtension(ext), BrowserRoute::WebPage) << ext;
    }
    for (const char* ext : {"DOC", "RTF", "XLS", "PPT", "VSD"}) {
        EXPECT_EQ(BrowserRouteOfExtension(ext), BrowserRoute::OfficeDocument) << ext;
    }
    EXPECT_EQ(BrowserRouteOfExtension("PDF"), BrowserRoute::Pdf);
    EXPECT_EQ(BrowserRouteOfExtension("SWF"), BrowserRoute::Flash);
    // Upper case is the caller's work; "pdf" and "DOCX" are not among the office routes.
    EXPECT_EQ(BrowserRouteOfExtension("pdf"), BrowserRoute::WebPage);
    EXPECT_EQ(BrowserRouteOfExtension("DOCX"), BrowserRoute::WebPage);
}

TEST(OfficeConversionCommand, ArgumentVectorWithPrivateProfileAndEscapedUrl) {
    const std::vector<std::string> expected{"soffice",
                                            "-env:UserInstallation=file:///tmp/a%20b%25c/%E6%97%A5",
                                            "--headless",
                                            "--norestore",
                                            "--convert-to",
                                            "pdf",
                                            "--outdir",
                                            "/tmp/out dir",
                                            "/home/u/; rm -rf ~ $(x).doc"};
    EXPECT_EQ(OfficeConversionArguments("soffice", "/tmp/a b%c/日", "/tmp/out dir", "/home/u/; rm -rf ~ $(x).doc"),
              expected);
    EXPECT_EQ(FileUrlOfPath("/A-z_0.9~/x"), "file:///A-z_0.9~/x");
}

TEST(ConvertedPdfCache, NameFollowsPathSizeAndTime) {
    const DocumentStamp stamp{"/d/a.doc", 100, 5};
    const std::string name = ConvertedPdfName(stamp);
    EXPECT_EQ(name.size(), 20u);
    EXPECT_EQ(name.substr(16), ".pdf");
    EXPECT_EQ(ConvertedPdfName(stamp), name);
    EXPECT_NE(ConvertedPdfName({"/d/b.doc", 100, 5}), name);
    EXPECT_NE(ConvertedPdfName({"/d/a.doc", 101, 5}), name);
    EXPECT_NE(ConvertedPdfName({"/d/a.doc", 100, 6}), name);
    // The fields cannot run into each other.
    EXPECT_NE(ConvertedPdfName({"/d/a.doc1", 0, 5}), ConvertedPdfName({"/d/a.doc", 10, 5}));

    TempTree tree;
    const std::string doc = tree.AddFile("a.doc", "12345");
    const auto before = StampOfDocument(doc);
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(before->size, 5u);
    fs::last_write_time(doc, fs::last_write_time(doc) + std::chrono::seconds(3));
    EXPECT_NE(ConvertedPdfName(*StampOfDocument(doc)), ConvertedPdfName(*before));
    EXPECT_FALSE(StampOfDocument(tree / "missing.doc").has_value());
    EXPECT_FALSE(StampOfDocument(tree.path()).has_value());
}

TEST(ConvertedPdfCache, StoredEntriesAreFoundAndTheOldestGoFirst) {
    TempTree tree;
    const std::string folder = tree / "cache/pelmora/office-pdf";
    const ConvertedPdfCache cache(folder, 250);
    const std::string produced = tree.AddFile("made.pdf", std::string(100, 'p'));
    const std::string a = ConvertedPdfName({"/a", 1, 1});
    const std::string b = ConvertedPdfName({"/b", 1, 1});
    const std::string c = ConvertedPdfName({"/c", 1, 1});
    EXPECT_FALSE(cache.Find(a).has_value());
    ASSERT_TRUE(cache.Store(a, produced).has_value());
    ASSERT_TRUE(cache.Store(b, produced).has_value());
    const std::string foreign = tree.AddFile("cache/pelmora/office-pdf/notes.pdf", std::string(1000, 'n'));
    // a older than b, then a used again: b is the oldest when c comes in.
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(folder + "/" + a, now - std::chrono::hours(2));
    fs::last_write_time(folder + "/" + b, now - std::chrono::hours(1));
    const auto found = cache.Find(a);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(testing::ReadFile(*found), std::string(100, 'p'));
    ASSERT_TRUE(cache.Store(c, produced).has_value());
    EXPECT_TRUE(cache.Find(a).has_value());
    EXPECT_FALSE(cache.Find(b).has_value());
    EXPECT_TRUE(cache.Find(c).has_value());
    EXPECT_TRUE(fs::exists(foreign));  // not the cache's own: never removed
    EXPECT_FALSE(fs::exists(folder + "/" + c + ".part"));

    // One entry larger than the whole limit stays until the next one comes.
    const ConvertedPdfCache tiny(folder, 10);
    ASSERT_TRUE(tiny.Store(b, produced).has_value());
    EXPECT_TRUE(tiny.Find(b).has_value());
    EXPECT_FALSE(tiny.Find(a).has_value());
    EXPECT_FALSE(tiny.Find(c).has_value());
    // Nothing to copy: not stored, and nothing half-made left.
    EXPECT_FALSE(cache.Store(a, tree / "gone.pdf").has_value());
    EXPECT_FALSE(cache.Find(a).has_value());
}

mode_t ModeOf(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// A converted PDF shows a private document's content: nobody but its owner may read it, even
// under a lax umask and when LibreOffice wrote it world-readable.
TEST(ConvertedPdfCache, FoldersAndEntriesAreTheOwnersAlone) {
    TempTree tree;
    const mode_t umaskBefore = ::umask(022);
    const std::string produced = tree.AddFile("made.pdf", "pdf");
    ::chmod(produced.c_str(), 0644);
    const std::string folder = tree / "cache/pelmora/office-pdf";
    const ConvertedPdfCache cache(folder, 1000);
    const std::string a = ConvertedPdfName({"/a", 1, 1});
    const auto stored = cache.Store(a, produced);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(ModeOf(*stored), 0600u);
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(tree / "cache/pelmora"), 0700u);
    EXPECT_EQ(ModeOf(tree / "cache"), 0700u);

    // A cache left by an older version, readable by all: narrowed when it is used.
    const std::string old = tree / "old/office-pdf";
    const std::string b = ConvertedPdfName({"/b", 1, 1});
    const std::string c = ConvertedPdfName({"/c", 1, 1});
    tree.AddFile("old/office-pdf/" + b, "b");
    tree.AddFile("old/office-pdf/" + c, "c");
    const std::string foreign = tree.AddFile("old/office-pdf/notes.txt", "n");
    for (const std::string& path : {old, old + "/" + b, old + "/" + c, foreign}) ::chmod(path.c_str(), 0755);
    const ConvertedPdfCache older(old, 1000);
    ASSERT_TRUE(older.Find(b).has_value());
    EXPECT_EQ(ModeOf(old), 0700u);
    EXPECT_EQ(ModeOf(old + "/" + b), 0600u);
    ASSERT_TRUE(older.Store(a, produced).has_value());
    EXPECT_EQ(ModeOf(old + "/" + c), 0600u);
    EXPECT_EQ(ModeOf(foreign), 0755u);  // not the cache's own: left alone
    ::umask(umaskBefore);
}

// A program standing in for LibreOffice: writes "<outdir>/<name>.pdf", fails, or hangs.
std::string StandIn(TempTree& tree, const std::string& behaviour) {
    static int made = 0;
    const std::string script = tree.AddFile("office-" + std::to_string(++made),
                                            "#!/bin/sh\n"
                                            "echo \"$@\" > \"$(dirname \"$0\")/arguments\"\n"
                                            "echo $$ > \"$(dirname \"$0\")/pid\"\n"
                                            "while [ \"$1\" != --outdir ]; do shift; done\n"
                                            "out=$2; doc=$3; name=$(basename \"$doc\"); name=${name%.*}\n" +
                                                behaviour + "\n");
    ::chmod(script.c_str(), 0755);
    return script;
}

struct Collected {
    std::atomic<int> calls{0};
    OfficeConversionResult result;
};

OfficeConversionJob JobFor(TempTree& tree, const std::string& program) {
    OfficeConversionJob job;
    job.document = tree.AddFile("docs/report.v2.doc", "doc bytes");
    job.entryName = ConvertedPdfName(*StampOfDocument(job.document));
    job.cacheFolder = tree / "cache";
    job.program = program;
    return job;
}

TEST(OfficeConversion, ThePdfMadeLandsInTheCacheAndIsReportedOnce) {
    TempTree tree;
    Collected collected;
    const OfficeConversionJob job = JobFor(tree, StandIn(tree, "printf '%%PDF-1.4' > \"$out/$name.pdf\""));
    {
        OfficeConversion conversion(job, [&](const OfficeConversionResult& result) {
            collected.result = result;
            ++collected.calls;
        });
        ASSERT_TRUE(WaitUntil([&] { return collected.calls > 0; }, std::chrono::seconds(10)));
    }
    EXPECT_EQ(collected.calls, 1);
    EXPECT_EQ(collected.result.outcome, OfficeConversionOutcome::Converted);
    EXPECT_EQ(collected.result.pdfPath, job.cacheFolder + "/" + job.entryName);
    EXPECT_EQ(testing::ReadFile(collected.result.pdfPath), "%PDF-1.4");
    EXPECT_NE(tree.Read("arguments").find("--headless"), std::string::npos);
    EXPECT_NE(tree.Read("arguments").find("-env:UserInstallation=file:///"), std::string::npos);
}

TEST(OfficeConversion, MissingProgramFailureAndTimeLimitAreToldApart) {
    TempTree tree;
    const std::pair<std::string, OfficeConversionOutcome> cases[] = {
        {tree / "no-such-office", OfficeConversionOutcome::ProgramMissing},
        {StandIn(tree, "exit 1"), OfficeConversionOutcome::Failed},
        {StandIn(tree, "exit 0"), OfficeConversionOutcome::Failed},  // ran, but made no PDF
        {StandIn(tree, "exec sleep 30"), OfficeConversionOutcome::TimedOut},
    };
    for (const auto& [program, outcome] : cases) {
        Collected collected;
        OfficeConversionJob job = JobFor(tree, program);
        job.timeLimit = std::chrono::milliseconds(300);
        OfficeConversion conversion(job, [&](const OfficeConversionResult& result) {
            collected.result = result;
            ++collected.calls;
        });
        ASSERT_TRUE(WaitUntil([&] { return collected.calls > 0; }, std::chrono::seconds(10))) << program;
        EXPECT_EQ(collected.result.outcome, outcome) << program;
        EXPECT_FALSE(ConvertedPdfCache(job.cacheFolder, job.cacheLimit).Find(job.entryName).has_value());
    }
}

TEST(OfficeConversion, AbandoningEndsTheProgramAtOnceAndReportsNothing) {
    TempTree tree;
    std::atomic<int> calls{0};
    auto conversion = std::make_unique<OfficeConversion>(JobFor(tree, StandIn(tree, "exec sleep 30")),
                                                         [&](const OfficeConversionResult&) { ++calls; });
    const long processId = testing::ProcessIdFromFile(tree / "pid");
    ASSERT_GT(processId, 0);
    const auto start = std::chrono::steady_clock::now();
    conversion.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(testing::ProcessHasEnded(processId));
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace pelmora

namespace pelmora {
namespace {

// A listener on the loopback that only counts who connects to it.
class LoopbackCounter {
public:
    LoopbackCounter() {
        socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(socket_, 16) != 0 || ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return;
        }
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] {
            while (!stop_) {
                pollfd waiting{socket_, POLLIN, 0};
                if (::poll(&waiting, 1, 50) <= 0) continue;
                const int client = ::accept(socket_, nullptr, nullptr);
                if (client >= 0) {
                    ++connections_;
                    ::close(client);
                }
            }
        });
    }
    ~LoopbackCounter() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (socket_ >= 0) ::close(socket_);
    }
    int Port() const { return port_; }
    int Connections() const { return connections_; }

private:
    int socket_ = -1;
    int port_ = 0;
    std::atomic<int> connections_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// An HTML file saved as .doc that names a picture on the loopback: LibreOffice converts it
// without fetching anything, in a network of its own and, where there is none, by its profile.
void ConvertsWithoutFetching(bool isolateNetwork) {
    if (!testing::ToolInstalled(kLibreOfficeProgram)) GTEST_SKIP() << "LibreOffice is not installed";
    LoopbackCounter listener;
    ASSERT_NE(listener.Port(), 0);
    TempTree tree;
    const std::string port = std::to_string(listener.Port());
    OfficeConversionJob job;
    job.document = tree.AddFile("remote.doc", "<html><body><p>remote picture</p><img src=\"http://127.0.0.1:" + port +
                                                  "/t.png\"><link rel=stylesheet href=\"http://127.0.0.1:" + port +
                                                  "/s.css\"></body></html>");
    job.entryName = ConvertedPdfName(*StampOfDocument(job.document));
    job.cacheFolder = tree / "cache";
    job.isolateNetwork = isolateNetwork;
    Collected collected;
    {
        OfficeConversion conversion(job, [&](const OfficeConversionResult& result) {
            collected.result = result;
            ++collected.calls;
        });
        ASSERT_TRUE(WaitUntil([&] { return collected.calls > 0; }, std::chrono::seconds(50)));
    }
    EXPECT_EQ(collected.result.outcome, OfficeConversionOutcome::Converted);
    EXPECT_EQ(testing::ReadFile(collected.result.pdfPath).substr(0, 5), "%PDF-");
    EXPECT_EQ(listener.Connections(), 0);
}

TEST(OfficeConversionOffline, InANetworkOfItsOwn) {
    if (!platform::NetworkIsolationAvailable()) GTEST_SKIP() << "no network namespaces here";
    ConvertsWithoutFetching(true);
}

TEST(OfficeConversionOffline, ByTheProfileAlone) { ConvertsWithoutFetching(false); }

TEST(OfficeConversionOffline, TheProfileRefusesRemoteLinks) {
    const std::string settings = OfficeProfileSettings();
    EXPECT_NE(settings.find("BlockUntrustedRefererLinks\" oor:op=\"fuse\"><value>true"), std::string::npos);
    EXPECT_NE(settings.find("ooInetHTTPSProxyName\" oor:op=\"fuse\"><value>127.0.0.1"), std::string::npos);
    // Run through the wrapper, the program still gets its own arguments, last.
    if (platform::NetworkIsolationAvailable()) {
        const std::vector<std::string> wrapped = platform::WithoutNetwork({"soffice", "--headless"});
        ASSERT_GE(wrapped.size(), 3u);
        EXPECT_EQ(wrapped[wrapped.size() - 2], "soffice");
        EXPECT_EQ(wrapped.back(), "--headless");
    }
}

}  // namespace
}  // namespace pelmora
