#include "platform/smb_failure.h"

#include <string>

#include "i18n/library_error_texts.h"
#include "i18n/translation.h"

namespace pelmora::platform {

namespace {

class SmbFailureCategoryImpl final : public std::error_category {
public:
    const char* name() const noexcept override { return "smb"; }

    std::string message(int value) const override {
        switch (static_cast<SmbFailure>(value)) {
            case SmbFailure::NoSuchShare: return Translated(kNoSuchShareText);
            case SmbFailure::HostNotFound: return Translated(kHostNotFoundText);
        }
        return Translated(kUnknownSmbFailureText);
    }

    std::error_condition default_error_condition(int value) const noexcept override {
        switch (static_cast<SmbFailure>(value)) {
            case SmbFailure::NoSuchShare: return std::errc::no_such_file_or_directory;
            case SmbFailure::HostNotFound: return std::errc::host_unreachable;
        }
        return {value, *this};
    }
};

}  // namespace

const std::error_category& SmbFailureCategory() {
    static const SmbFailureCategoryImpl category;
    return category;
}

std::error_code MakeSmbError(SmbFailure failure) { return {static_cast<int>(failure), SmbFailureCategory()}; }

}  // namespace pelmora::platform
