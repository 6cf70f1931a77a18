#include "tools/choiview/browser_route.h"

#include <array>

namespace pelmora {

BrowserRoute BrowserRouteOfExtension(std::string_view extension) {
    static constexpr std::array<std::string_view, 5> kOffice{"DOC", "RTF", "XLS", "PPT", "VSD"};
    if (extension == "PDF") return BrowserRoute::Pdf;
    if (extension == "SWF") return BrowserRoute::Flash;
    for (std::string_view office : kOffice) {
        if (extension == office) return BrowserRoute::OfficeDocument;
    }
    return BrowserRoute::WebPage;
}

}  // namespace pelmora
