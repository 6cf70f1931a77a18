#include "app/cli/failure_reason.h"

#include <memory>

#include "app/cli/cli_texts.h"
#include "i18n/translation.h"
#include "platform/file_system_service.h"
#include "platform/smb_failure.h"

namespace pelmora::cli {

std::string FailureReasonText(const std::error_code& error) {
    using platform::MakeSmbError;
    using platform::SmbFailure;
    // The share's own reasons first: each also compares equal to a system error.
    if (error == MakeSmbError(SmbFailure::NoSuchShare)) return Translated(cli_texts::kNoSuchShare);
    if (error == MakeSmbError(SmbFailure::HostNotFound)) return Translated(cli_texts::kHostNotFound);
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        return Translated(cli_texts::kAccessDenied);
    if (error == std::errc::no_such_file_or_directory) return Translated(cli_texts::kNoSuchFileOrFolder);
    if (error == std::errc::connection_refused) return Translated(cli_texts::kConnectionRefused);
    if (error == std::errc::timed_out) return Translated(cli_texts::kTimedOut);
    if (error == std::errc::not_a_directory) return Translated(cli_texts::kNotAFolder);
    if (error == std::errc::is_a_directory) return Translated(cli_texts::kIsAFolder);
    if (!error) return Translated(cli_texts::kUnknownReason);
    return error.message();
}

std::error_code FolderOpenError(const std::string& path) {
    std::error_code error;
    platform::FileSystemFor(path).OpenFolderAt(path, error);
    return error;
}

std::error_code FileOpenError(const std::string& path) {
    std::error_code error;
    platform::FileSystemFor(path).OpenFileForReading(path, error);
    return error;
}

}  // namespace pelmora::cli
