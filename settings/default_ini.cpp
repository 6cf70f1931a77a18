#include "settings/settings_store.h"

namespace pelmora {

std::string_view DefaultIniText() {
    // Double-quoted, comma-separated listings out of the box.
    static constexpr std::string_view kText =
        "[Pelmora]\r\n"
        "Kakomi=\"\r\n"
        "Kugiri=,\r\n"
        "FreePicture1=SampleCG1.bmp\r\n"
        "FreePicture2=SampleCG2.bmp\r\n"
        "FileName=1\r\n"
        "FileFullPath=0\r\n"
        "FileHiddenFile=1\r\n"
        "FileSystemFile=1\r\n"
        "FileLastLineReturn=1\r\n"
        "SFolderName=1\r\n"
        "SFolderFullPath=1\r\n"
        "SFolderLastLineReturn=1\r\n"
        "DropName=1\r\n"
        "DropFullPath=1\r\n"
        "\r\n"
        "[FolderView]\r\n"
        "Fol_Kakomi=\"\r\n"
        "Fol_FullPath1=1\r\n"
        "Fol_FolderMark1=1\r\n"
        "Fol_LastLineReturn1=1\r\n"
        "Fol_FullPath2=1\r\n"
        "Fol_RootGet2=1\r\n"
        "Fol_FolderMark2=1\r\n"
        "Fol_LastLineReturn2=1\r\n"
        "Fol_FullPath3=1\r\n"
        "Fol_RootGet3=1\r\n"
        "Fol_FolderMark3=1\r\n"
        "Fol_LastLineReturn3=1\r\n"
        "\r\n"
        "[ChoiView]\r\n"
        "CV_DefaultPicture=SampleCG2.bmp\r\n"
        "CV_use_Stealth=0\r\n"
        "CV_Stealth=255\r\n"
        "CV_txt=1\r\n"
        "CV_other_txt=1\r\n"
        "CV_bmp=1\r\n"
        "CV_gif=1\r\n"
        "CV_ico=1\r\n"
        "CV_jpg=1\r\n"
        "CV_wmf=1\r\n"
        "\r\n"
        "[HexView]\r\n"
        "Hex_ReadByte=1024\r\n"
        "\r\n"
        "[AclView]\r\n";
    return kText;
}

}  // namespace pelmora
