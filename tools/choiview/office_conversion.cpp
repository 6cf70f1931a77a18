#include "tools/choiview/office_conversion.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

#include "listing/engine/path_ops.h"
#include "platform/file_system.h"
#include "platform/network_isolation.h"
#include "platform/process_runner.h"
#include "platform/temporary_folder.h"
#include "tools/choiview/viewer_file_bytes.h"

namespace pelmora {

namespace fs = std::filesystem;

std::vector<std::string> OfficeConversionArguments(const std::string& program, const std::string& profileFolder,
                                                   const std::string& outputFolder, const std::string& document) {
    return {program,
            "-env:UserInstallation=" + FileUrlOfPath(profileFolder),
            "--headless",
            "--norestore",
            "--convert-to",
            "pdf",
            "--outdir",
            outputFolder,
            document};
}

std::string FileUrlOfPath(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0xF];
        }
    }
    return url;
}

std::string OfficeProfileSettings() {
    auto item = [](const char* path, const char* name, const char* value) {
        return std::string("<item oor:path=\"") + path + "\"><prop oor:name=\"" + name + "\" oor:op=\"fuse\"><value>" +
               value + "</value></prop></item>\n";
    };
    constexpr const char* kSecurity = "/org.openoffice.Office.Common/Security/Scripting";
    constexpr const char* kInternet = "/org.openoffice.Inet/Settings";
    std::string settings =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n";
    // Pictures linked from untrusted places are not loaded, macros never run.
    settings += item(kSecurity, "BlockUntrustedRefererLinks", "true");
    settings += item(kSecurity, "DisableMacrosExecution", "true");
    // Everything else a document names on the network (style sheets, frames) goes to a proxy
    // on a loopback port where nothing listens, so it fails at once without leaving the machine.
    settings += item(kInternet, "ooInetProxyType", "2");
    for (const char* protocol : {"HTTP", "HTTPS", "FTP"}) {
        settings += item(kInternet, (std::string("ooInet") + protocol + "ProxyName").c_str(), "127.0.0.1");
        settings += item(kInternet, (std::string("ooInet") + protocol + "ProxyPort").c_str(), "1");
    }
    settings += item(kInternet, "ooInetNoProxy", "");
    return settings + "</oor:items>\n";
}

std::optional<OfficeConversionJob> OfficeConversionJobFor(const std::string& path) {
    const std::optional<DocumentStamp> stamp = StampOfDocument(path);
    if (!stamp) return std::nullopt;
    OfficeConversionJob job;
    // Absolute, so that no name is taken for one of LibreOffice's options.
    job.document = AbsolutePath(path);
    job.entryName = ConvertedPdfName(*stamp);
    job.cacheFolder = DefaultConvertedPdfFolder();
    return job;
}

OfficeConversion::OfficeConversion(OfficeConversionJob job, std::function<void(const OfficeConversionResult&)> done)
    : job_(std::move(job)), done_(std::move(done)), thread_([this] { Run(); }) {}

OfficeConversion::~OfficeConversion() {
    abandoned_ = true;
    thread_.join();
}

void OfficeConversion::Run() {
    const std::string scratch = platform::CreatePrivateTemporaryFolder("pelmora-office-");
    OfficeConversionResult result;
    if (!scratch.empty()) result = Convert(scratch);
    if (!scratch.empty()) {
        std::error_code error;
        fs::remove_all(scratch, error);
    }
    if (!abandoned_) done_(result);
}

OfficeConversionResult OfficeConversion::Convert(const std::string& scratchFolder) {
    const std::string profile = platform::JoinPath(scratchFolder, "profile");
    const std::string output = platform::JoinPath(scratchFolder, "out");
    std::error_code error;
    fs::create_directory(output, error);
    if (error) return {};
    fs::create_directories(platform::JoinPath(profile, "user"), error);
    if (error) return {};
    {
        std::ofstream settings(platform::JoinPath(platform::JoinPath(profile, "user"), "registrymodifications.xcu"),
                               std::ios::binary);
        settings << OfficeProfileSettings();
        if (!settings) return {};
    }

    // LibreOffice reads local files only: a share's document is copied first, here on the
    // conversion's thread, and the copy goes when the conversion ends.
    std::unique_ptr<PrivateFileCopy> copy;
    const std::string document = LocalPathOf(job_.document, copy);
    if (document.empty()) return {};
    const std::vector<std::string> arguments = OfficeConversionArguments(job_.program, profile, output, document);
    const std::vector<std::string> isolated = job_.isolateNetwork ? platform::WithoutNetwork(arguments)
                                                                  : std::vector<std::string>();
    std::string startError;
    const std::unique_ptr<platform::ChildProcess> office =
        platform::ChildProcess::Start(isolated.empty() ? arguments : isolated, startError);
    if (!office) return {OfficeConversionOutcome::ProgramMissing, {}};

    const auto deadline = std::chrono::steady_clock::now() + job_.timeLimit;
    while (!office->WaitFor(std::chrono::milliseconds(50))) {
        if (abandoned_) return {};  // the process group ends with `office`
        if (std::chrono::steady_clock::now() >= deadline) return {OfficeConversionOutcome::TimedOut, {}};
    }
    if (!isolated.empty() && office->ExitCode() == platform::kIsolatedProgramMissing)
        return {OfficeConversionOutcome::ProgramMissing, {}};
    if (office->ExitCode() != 0) return {};
    // The PDF takes the document's name; whatever PDF is in the private folder is it.
    for (fs::directory_iterator it(output, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() != ".pdf") continue;
        const ConvertedPdfCache cache(job_.cacheFolder, job_.cacheLimit);
        if (auto stored = cache.Store(job_.entryName, it->path().string())) {
            return {OfficeConversionOutcome::Converted, *stored};
        }
        break;
    }
    return {};
}

}  // namespace pelmora
