#pragma once
// What the web-browser display does with a file of the "IE" kind, by its extension: a page
// or picture the web engine shows, a PDF it draws itself, an office document it first has
// converted to PDF, or a Flash movie no maintained engine plays.

#include <string_view>

namespace pelmora {

enum class BrowserRoute {
    WebPage,         // HTML, HTM, MHT, GIF, JPEG, JPG
    Pdf,             // PDF
    OfficeDocument,  // DOC, RTF, XLS, PPT, VSD: converted to PDF by LibreOffice
    Flash,           // SWF: a short page says it cannot be played
};

// extension: upper case, without the dot. Anything else is handed to the web engine.
BrowserRoute BrowserRouteOfExtension(std::string_view extension);

}  // namespace pelmora
