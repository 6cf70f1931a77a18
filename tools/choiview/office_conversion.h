#pragma once
// An office document converted to PDF by LibreOffice on a thread of its own, so the window
// stays responsive for the seconds it takes. LibreOffice runs from an argument vector (no
// shell reads the path) with a private, throw-away user profile, so it neither meets nor
// disturbs the user's own LibreOffice. A document may name remote pictures and links: the
// conversion runs without network access where the system allows it, and its profile refuses
// them where it does not. Destroying the conversion abandons it: the program is
// ended and the thread joined.

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tools/choiview/converted_pdf_cache.h"

namespace pelmora {

// LibreOffice's program, looked up in PATH.
inline constexpr const char* kLibreOfficeProgram = "soffice";

// The argument vector converting document to a PDF in outputFolder, with the user profile in
// profileFolder (both absolute).
std::vector<std::string> OfficeConversionArguments(const std::string& program, const std::string& profileFolder,
                                                   const std::string& outputFolder, const std::string& document);

// An absolute path as a file: URL, every byte outside the unreserved ones and "/" escaped.
std::string FileUrlOfPath(const std::string& path);

enum class OfficeConversionOutcome {
    Converted,       // the PDF is in the cache
    ProgramMissing,  // LibreOffice could not be started
    Failed,          // it ran but made no PDF (a damaged document), or the PDF could not be stored
    TimedOut,        // still running after the time limit: it was ended
};

struct OfficeConversionResult {
    OfficeConversionOutcome outcome = OfficeConversionOutcome::Failed;
    std::string pdfPath;  // the cache entry, when Converted
};

struct OfficeConversionJob {
    std::string document;  // absolute path
    std::string entryName;  // ConvertedPdfName of the document's stamp
    std::string cacheFolder;
    std::uintmax_t cacheLimit = kConvertedPdfCacheLimit;
    std::string program = kLibreOfficeProgram;
    std::chrono::milliseconds timeLimit = std::chrono::minutes(2);
    // Without network access where the system allows it (see platform/network_isolation.h);
    // the profile refuses remote links and pictures either way.
    bool isolateNetwork = true;
};

// The user profile's settings file (user/registrymodifications.xcu below the profile folder)
// that makes LibreOffice refuse links and pictures a document names outside trusted places.
std::string OfficeProfileSettings();

// The conversion of the document at path into the user's converted-PDF cache, named for its
// stamp; nothing when the document has no stamp (it cannot be read).
std::optional<OfficeConversionJob> OfficeConversionJobFor(const std::string& path);

class OfficeConversion {
public:
    // Starts at once; done runs once, on the conversion's thread, unless it is abandoned first.
    OfficeConversion(OfficeConversionJob job, std::function<void(const OfficeConversionResult&)> done);
    OfficeConversion(const OfficeConversion&) = delete;
    OfficeConversion& operator=(const OfficeConversion&) = delete;
    ~OfficeConversion();

private:
    void Run();
    OfficeConversionResult Convert(const std::string& scratchFolder);

    OfficeConversionJob job_;
    std::function<void(const OfficeConversionResult&)> done_;
    std::atomic<bool> abandoned_{false};
    std::thread thread_;
};

}  // namespace pelmora
