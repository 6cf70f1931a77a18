#include "tools/choiview/viewer_kind.h"

#include <algorithm>

#include "tools/choiview/binary_file_check.h"
#include "tools/choiview/viewer_file_names.h"

namespace pelmora {

namespace {

namespace k = viewer_kind;

bool GateOpen(const Settings& settings, std::string Settings::*gate) { return settings.*gate == "1"; }

}  // namespace

std::span<const ViewerKindRule> ViewerKindRules() {
    static const std::vector<ViewerKindRule> rules = {
        {{"LZH"}, k::kArchive, &Settings::CV_lzh, true},
        {{"ZIP"}, k::kArchive, &Settings::CV_zip, true},
        {{"TXT"}, k::kText, &Settings::CV_txt, true},
        {{"DIB", "BMP", "RLE"}, k::kPictureBox, &Settings::CV_bmp},
        {{"ICO"}, k::kPictureBox, &Settings::CV_ico},
        {{"EMF", "WMF"}, k::kPictureBox, &Settings::CV_wmf},
        {{"GIF"}, k::kBrowser, &Settings::CV_gif},
        // JPEG goes to the browser whenever its gate is open; the plug-in only after it.
        {{"JPEG", "JPG"}, k::kBrowser, &Settings::CV_jpg},
        {{"JPEG", "JPG"}, k::kPlugin, &Settings::CV_Su_jpg},
        {{"MAG"}, k::kPlugin, &Settings::CV_Su_mag},
        {{"PI"}, k::kPlugin, &Settings::CV_Su_pi},
        {{"PIC"}, k::kPlugin, &Settings::CV_Su_pic},
        {{"P2"}, k::kPlugin, &Settings::CV_Su_p2},
        {{"PICT", "PCT"}, k::kPlugin, &Settings::CV_Su_pct},
        {{"Q4"}, k::kPlugin, &Settings::CV_Su_q4},
        {{"TIFF", "TIF"}, k::kPlugin, &Settings::CV_Su_tif},
        {{"PCX"}, k::kPlugin, &Settings::CV_Su_pcx},
        {{"PNG"}, k::kPlugin, &Settings::CV_Su_png},
        {{"MP3", "WAV", "SND", "AU", "AIF", "AIFC", "AIFF"}, k::kMediaPlayer, &Settings::CV_wav},
        {{"MIDI", "MID", "RMI"}, k::kMediaPlayer, &Settings::CV_mid},
        {{"MPEG", "MPG", "M1V", "MP2", "MPA", "MPE"}, k::kMediaPlayer, &Settings::CV_mpg},
        {{"AVI"}, k::kMediaPlayer, &Settings::CV_avi},
        {{"WM", "ASF", "WMA", "WMV"}, k::kMediaPlayer, &Settings::CV_asf},
        {{"DOC"}, k::kBrowser, &Settings::CV_doc},
        {{"RTF"}, k::kBrowser, &Settings::CV_rtf},
        {{"XLS"}, k::kBrowser, &Settings::CV_xls},
        {{"PPT"}, k::kBrowser, &Settings::CV_ppt},
        {{"VSD"}, k::kBrowser, &Settings::CV_vsd},
        {{"HTML", "HTM", "MHT"}, k::kBrowser, &Settings::CV_htm},
        {{"SWF"}, k::kBrowser, &Settings::CV_swf},
        {{"PDF"}, k::kBrowser, &Settings::CV_pdf},
    };
    return rules;
}

std::string_view ViewerKindOfExtension(std::string_view extension, const Settings& settings) {
    for (const ViewerKindRule& rule : ViewerKindRules()) {
        if (std::find(rule.extensions.begin(), rule.extensions.end(), extension) == rule.extensions.end()) continue;
        if (GateOpen(settings, rule.gate)) return rule.kind;
        if (rule.closedGateShowsNothing) return {};
    }
    return GateOpen(settings, &Settings::CV_other_txt) ? k::kOtherText : std::string_view();
}

std::string_view ViewerKindOfFile(const std::string& path, const Settings& settings) {
    const std::string extension = ViewerExtension(path);
    if (extension.empty()) return {};
    const std::string_view kind = ViewerKindOfExtension(extension, settings);
    if (kind == k::kOtherText && IsBinaryFile(path, settings.CV_txt_CheckSize)) return {};
    return kind;
}

}  // namespace pelmora
