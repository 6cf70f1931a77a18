#pragma once
// The PDFs made from office documents, kept in the user's cache folder so that a document
// seen again shows at once. A document's entry is named by its path, size and modification
// time, so a changed document is converted anew; the folder is kept below a size limit by
// removing the entries used longest ago. The folders and the entries are the owner's alone
// (0700, 0600), as they show what the documents hold; a cache of wider modes is narrowed.

#include <cstdint>
#include <optional>
#include <string>

namespace pelmora {

// What names a document's converted PDF.
struct DocumentStamp {
    std::string path;
    std::uintmax_t size = 0;
    std::int64_t modified = 0;  // the file system's modification time in its own ticks
};

// The stamp of the file at path now; nothing when it cannot be read.
std::optional<DocumentStamp> StampOfDocument(const std::string& path);

// The file name of the stamp's entry: 16 hex digits and ".pdf".
std::string ConvertedPdfName(const DocumentStamp& stamp);

// The folder below the user's cache folder that holds the entries.
std::string DefaultConvertedPdfFolder();

// About 200 converted documents of a usual size.
inline constexpr std::uintmax_t kConvertedPdfCacheLimit = 256ull * 1024 * 1024;

class ConvertedPdfCache {
public:
    ConvertedPdfCache(std::string folder, std::uintmax_t limitBytes);

    // The entry's path when it is there; a found entry counts as just used.
    std::optional<std::string> Find(const std::string& name) const;
    // Copies the produced PDF in as the entry name (whole or not at all), then removes the
    // entries used longest ago until the folder's entries fit the limit; the new entry stays
    // even when it alone is larger. The entry's path, or nothing when it could not be stored.
    std::optional<std::string> Store(const std::string& name, const std::string& producedPdf) const;
    // Removes the oldest entries until the rest fit the limit, keeping `keep`.
    void Bound(const std::string& keep = {}) const;

    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
    std::uintmax_t limit_;
};

}  // namespace pelmora
