#include "i18n/library_error_texts.h"

#include "i18n/translation.h"

namespace pelmora {

namespace {

// Avahi's texts (avahi_strerror) that browsing the network can meet; marked so the catalogue
// holds their translations. Others stay in English.
[[maybe_unused]] constexpr const char* kAvahiTexts[] = {
    QT_TRANSLATE_NOOP("LibraryErrors", "Operation failed"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Bad state"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Timeout reached"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Too many clients"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Too many objects"),
    QT_TRANSLATE_NOOP("LibraryErrors", "OS Error"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Access denied"),
    QT_TRANSLATE_NOOP("LibraryErrors", "An unexpected D-Bus error occurred"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Daemon connection failed"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Memory exhausted"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Daemon not running"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Not found"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Version mismatch"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Not supported"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Not permitted"),
};

}  // namespace

std::string LibraryErrorText(const char* english) { return Translated(UiText{"LibraryErrors", english}); }

}  // namespace pelmora
