#pragma once
// The settings record: one field per key of Pelmora.ini, filled once at start-up by
// LoadSettings and NormalizeSettings and read by every other part of the program.
// Flags and choices are the texts "1"/"0" (or the listed values); ints are 32-bit.
// Field names are the INI key names.

#include <array>
#include <cstdint>
#include <string>

namespace pelmora {

struct Settings {
    // [Pelmora] program and main window
    std::string DirPath;
    std::string Pattern;
    std::string WindowIcon;
    std::string LastFormPosition;
    std::int32_t FormLeft = 0;
    std::int32_t FormTop = 0;
    std::string FreePicture1;
    std::string FreePicture2;
    std::string ShowJumpWindow;
    std::string ShowNetViewWindow;
    std::string ChaseSettingWindow;
    std::string ChaseJumpWindow;
    std::string ChaseNetViewWindow;
    std::array<std::string, 10> Jump;  // Jump01 .. Jump10

    std::string FolderFontName, FolderFontSize, FolderFontBold, FolderFontItalic;
    std::string FileFontName, FileFontSize, FileFontBold, FileFontItalic;
    std::string JumpFontName, JumpFontSize, JumpFontBold, JumpFontItalic;
    std::string NetViewFontName, NetViewFontSize, NetViewFontBold, NetViewFontItalic;

    std::string ExtStartLock;
    std::array<std::string, 5> ShellExeExt;   // ShellExeExt01 .. ShellExeExt05
    std::array<std::string, 5> ShellExePath;  // ShellExePath01 .. ShellExePath05

    // [Pelmora] shared layout of the name listings
    std::string Kakomi;
    std::string Kugiri;
    std::string FileExtSort;

    // [Pelmora] the File family of listing switches
    std::string FileName;
    std::string FileFullPath;
    std::string FileShortName;
    std::string FileSize;
    std::string FileSizePatarn;
    std::string FileDateTime;
    std::string FileDateTimePatarn;
    std::string FileMakeDateTime;
    std::string FileMakeDateTimePatarn;
    std::string FileAccessDateTime;
    std::string FileAccessDateTimePatarn;
    std::string FileAttrib;
    std::string FileLastLineReturn;
    std::string FileWrite;
    std::string FileWriteName;
    std::string FileHiddenFile;
    std::string FileSystemFile;

    // [Pelmora] the SFolder family of listing switches
    std::string SFolderName;
    std::string SFolderFullPath;
    std::string SFolderShortName;
    std::string SFolderSize;
    std::string SFolderSizePatarn;
    std::string SFolderDateTime;
    std::string SFolderDateTimePatarn;
    std::string SFolderMakeDateTime;
    std::string SFolderMakeDateTimePatarn;
    std::string SFolderAccessDateTime;
    std::string SFolderAccessDateTimePatarn;
    std::string SFolderAttrib;
    std::string SFolderLastLineReturn;
    std::string SFolderWrite;
    std::string SFolderWriteName;

    // [Pelmora] the Drop family of listing switches
    std::string DropName;
    std::string DropFullPath;
    std::string DropShortName;
    std::string DropSize;
    std::string DropSizePatarn;
    std::string DropDateTime;
    std::string DropDateTimePatarn;
    std::string DropMakeDateTime;
    std::string DropMakeDateTimePatarn;
    std::string DropAccessDateTime;
    std::string DropAccessDateTimePatarn;
    std::string DropAttrib;
    std::string DropLastLineReturn;
    std::string DropWrite;
    std::string DropWriteName;
    std::string DropMultiLine;
    std::string DropFolderMark;

    // [FolderView]
    std::string Fol_Kakomi;
    std::string Fol_FullPath1, Fol_FullPath2, Fol_FullPath3;
    std::string Fol_RootGet2, Fol_RootGet3;
    std::string Fol_FolderMark1, Fol_FolderMark2, Fol_FolderMark3;
    std::string Fol_LastLineReturn1, Fol_LastLineReturn2, Fol_LastLineReturn3;
    std::string Fol_Write1, Fol_Write2, Fol_Write3;
    std::string Fol_WriteName1, Fol_WriteName2, Fol_WriteName3;
    std::string TreeFile;
    std::string TreeAscii;
    std::string TreeWrite;
    std::string TreeWriteName;
    std::int32_t TreeWaitTime = 0;

    // [ChoiView]
    std::string CV_DefaultPicture;
    std::string CV_LastFormPosition;
    std::int32_t CV_FormLeft = 0;
    std::int32_t CV_FormTop = 0;
    std::string CV_FrontView;
    std::string CV_MPlayMinPause;
    std::string CV_use_stealth;
    std::int32_t CV_Stealth = 0;
    std::string CV_txt;
    std::string CV_other_txt;
    std::int32_t CV_txt_CheckSize = 0;
    std::string CV_gif, CV_jpg, CV_bmp, CV_ico, CV_wmf;
    std::string CV_Su_jpg, CV_Su_mag, CV_Su_pi, CV_Su_pic, CV_Su_p2, CV_Su_pct, CV_Su_q4, CV_Su_tif, CV_Su_pcx,
        CV_Su_png;
    std::string CV_mid, CV_asf, CV_wav, CV_avi, CV_mpg;
    std::string CV_doc, CV_xls, CV_ppt, CV_vsd, CV_rtf, CV_htm, CV_swf, CV_pdf;
    std::string CV_lzh, CV_zip;

    // [HexView]
    std::string Hex_LastFormPosition;
    std::int32_t Hex_FormLeft = 0;
    std::int32_t Hex_FormTop = 0;
    std::int32_t Hex_ReadByte = 0;

    // [ACLView]
    std::string ACL_LastFormPosition;
    std::int32_t ACL_FormLeft = 0;
    std::int32_t ACL_FormTop = 0;
};

}  // namespace pelmora
