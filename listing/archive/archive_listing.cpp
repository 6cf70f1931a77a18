#include "listing/archive/archive_listing.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "i18n/translation.h"
#include "listing/engine/listing_messages.h"
#include "listing/archive/lzh_listing.h"
#include "listing/engine/path_ops.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "listing/engine/listing_delivery.h"
#include "listing/archive/zip_listing.h"
#include "settings/trim_spaces.h"

namespace pelmora {
namespace {

enum class ArchiveKind { None, Lzh, Zip };

ArchiveKind KindOf(const std::string& path) {
    std::string extension = ExtensionPart(path);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (extension == "LZH") return ArchiveKind::Lzh;
    if (extension == "ZIP") return ArchiveKind::Zip;
    return ArchiveKind::None;
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// The listing as the program hands it out, or the empty text (reported when it failed).
std::string FinalText(ArchiveKind kind, const ArchiveListingResult& result, UserDialogs* dialogs) {
    switch (result.status) {
        case ArchiveListingStatus::Listed:
            return std::string(TrimSpaces(kind == ArchiveKind::Zip ? WithCrLf(result.text) : result.text));
        case ArchiveListingStatus::Damaged:
            return {};
        case ArchiveListingStatus::Failed:
            if (dialogs != nullptr) {
                const bool zip = kind == ArchiveKind::Zip;
                dialogs->ShowMessage(Translated(zip ? kZipListingFailed : kLzhListingFailed) + "\r\n" +
                                     Translated(zip ? kZipCheckVersion : kLzhCheckVersion));
            }
            return {};
    }
    return {};
}

}  // namespace

ArchiveListingResult ArchiveMembers(const std::string& path) {
    const ArchiveKind kind = KindOf(path);
    // Only regular files are read: a FIFO or a device would keep the reader waiting.
    // (A share's files are checked by the file system when opened: the local test cannot see them.)
    if (kind == ArchiveKind::None) return {};
    std::error_code error;
    if (!platform::IsNetworkPath(path) && !std::filesystem::is_regular_file(platform::NativePath(path), error)) {
        ArchiveListingResult result;  // Failed, as for a folder
        result.problem = ArchiveProblem::Unreadable;
        std::error_code statusError;
        const std::filesystem::file_status status = std::filesystem::status(platform::NativePath(path), statusError);
        if (statusError) {
            result.readError = statusError;
        } else {
            result.readError = std::make_error_code(std::filesystem::is_directory(status)
                                                        ? std::errc::is_a_directory
                                                        : std::errc::operation_not_supported);
        }
        return result;
    }
    return kind == ArchiveKind::Zip ? ListZipMembers(path) : ListLzhMembers(path, std::time(nullptr));
}

std::string ArchiveListing(const std::string& path, UserDialogs* dialogs) {
    const ArchiveKind kind = KindOf(path);
    if (kind == ArchiveKind::None) return {};
    return FinalText(kind, ArchiveMembers(path), dialogs);
}

std::string ArchiveListingOfBytes(const std::string& name, std::string_view bytes, std::time_t archiveTime) {
    const ArchiveKind kind = KindOf(name);
    if (kind == ArchiveKind::None) return {};
    return FinalText(kind,
                     kind == ArchiveKind::Zip ? ListZipMembersOfBytes(bytes, name)
                                              : ListLzhMembersOfBytes(bytes, archiveTime, std::time(nullptr)),
                     nullptr);
}

ListingOutcome ListArchiveOfSelection(const BrowserState& state, JobContext& job) {
    ListingOutcome outcome;
    job.progress.Pump();
    const std::string name = FirstSelectedName(state);
    if (name.empty() || KindOf(name) == ArchiveKind::None) {
        job.dialogs.ShowMessage(Translated(kChooseArchive));
        outcome.failed = true;
        return outcome;
    }
    std::string text = ArchiveListing(platform::JoinPath(state.folder, name), &job.dialogs);
    if (text.empty()) {
        outcome.failed = true;
        return outcome;
    }
    job.progress.Pump();
    DeliverListing(std::move(text), 0, {}, {}, job, outcome);
    return outcome;
}

}  // namespace pelmora
