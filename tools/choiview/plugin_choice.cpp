#include "tools/choiview/plugin_choice.h"

#include <array>
#include <utility>

#include "i18n/translation.h"
#include "tools/choiview/choiview_texts.h"

namespace pelmora {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kPluginOfExtension{{
    {"GIF", "ifgif.spi"},
    {"JPEG", "ifjpeg.spi"},
    {"JPG", "ifjpeg.spi"},
    {"P2", "ifpic2.spi"},
    {"PCT", "ifpict.spi"},
    {"PICT", "ifpict.spi"},
    {"PCX", "ifPCX.spi"},
    {"PIC", "ifpic.spi"},
    {"PNG", "ifPNG.spi"},
    {"TIF", "iftiff.spi"},
    {"TIFF", "iftiff.spi"},
    {"MAG", "ifmag.spi"},
    {"PI", "ifpi.spi"},
    {"Q4", "ifxld4.spi"},
}};

}  // namespace

std::string_view PluginLibraryOf(std::string_view extension) {
    for (const auto& [known, library] : kPluginOfExtension)
        if (known == extension) return library;
    return {};
}

std::string PluginFailureMessage(std::string_view library, bool libraryExists) {
    return std::string(library) +
           Translated(libraryExists ? choiview_texts::kPluginFailedSuffix : choiview_texts::kPluginMissingSuffix);
}

}  // namespace pelmora
