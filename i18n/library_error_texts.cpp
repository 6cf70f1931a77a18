#include "i18n/library_error_texts.h"

#include "i18n/translation.h"

namespace pelmora {

namespace {

// Avahi's texts (avahi_strerror), every one the library has; marked so the catalogue holds
// their translations. The common ones come first.
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
    // The rarer ones: a record, a name or a DNS answer Avahi could not use.
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid host name"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid domain name"),
    QT_TRANSLATE_NOOP("LibraryErrors", "No suitable network protocol available"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid DNS TTL"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Resource record key is pattern"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Local name collision"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid record"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid service name"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid service type"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid port number"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid record key"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid address"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Too many entries"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid operation"),
    QT_TRANSLATE_NOOP("LibraryErrors", "The object passed in was not valid"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid interface index"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid protocol specification"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid flags"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid configuration"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid service subtype"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid packet"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid DNS return code"),
    QT_TRANSLATE_NOOP("LibraryErrors", "DNS failure: FORMERR"),
    QT_TRANSLATE_NOOP("LibraryErrors", "DNS failure: SERVFAIL"),
    QT_TRANSLATE_NOOP("LibraryErrors", "DNS failure: NXDOMAIN"),
    QT_TRANSLATE_NOOP("LibraryErrors", "DNS failure: NOTIMP"),
    QT_TRANSLATE_NOOP("LibraryErrors", "DNS failure: REFUSED"),
    QT_TRANSLATE_NOOP("LibraryErrors", "DNS failure: YXDOMAIN"),
    QT_TRANSLATE_NOOP("LibraryErrors", "DNS failure: YXRRSET"),
    QT_TRANSLATE_NOOP("LibraryErrors", "DNS failure: NXRRSET"),
    QT_TRANSLATE_NOOP("LibraryErrors", "DNS failure: NOTAUTH"),
    QT_TRANSLATE_NOOP("LibraryErrors", "DNS failure: NOTZONE"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid RDATA"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid DNS type"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid DNS class"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid argument"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Is empty"),
    QT_TRANSLATE_NOOP("LibraryErrors", "The requested operation is invalid because redundant"),
    QT_TRANSLATE_NOOP("LibraryErrors", "Invalid Error Code"),
};

}  // namespace

std::string LibraryErrorText(const char* english) { return Translated(UiText{"LibraryErrors", english}); }

}  // namespace pelmora
