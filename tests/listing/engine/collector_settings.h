#pragma once
// Settings for collector tests: names only, no enclosing text, "," between fields, every
// write and extra switch off, so expectations read plainly. Tests switch on what they need.

#include <gtest/gtest.h>

#include "listing/engine/browser_state.h"
#include "settings/settings_record.h"
#include "tests/support/fake_job_context.h"
#include "tests/support/temp_tree.h"

namespace pelmora::testing {

inline Settings PlainListingSettings() {
    Settings s;
    s.Kakomi = "";
    s.Kugiri = ",";
    s.FileExtSort = "0";
    for (std::string* family : {&s.FileName, &s.SFolderName, &s.DropName}) *family = "1";
    for (std::string* off : {&s.FileFullPath, &s.FileShortName, &s.FileSize, &s.FileDateTime, &s.FileMakeDateTime,
                             &s.FileAccessDateTime, &s.FileAttrib, &s.FileLastLineReturn, &s.FileWrite,
                             &s.SFolderFullPath, &s.SFolderShortName, &s.SFolderSize, &s.SFolderDateTime,
                             &s.SFolderMakeDateTime, &s.SFolderAccessDateTime, &s.SFolderAttrib,
                             &s.SFolderLastLineReturn, &s.SFolderWrite, &s.DropFullPath, &s.DropShortName,
                             &s.DropSize, &s.DropDateTime, &s.DropMakeDateTime, &s.DropAccessDateTime, &s.DropAttrib,
                             &s.DropLastLineReturn, &s.DropWrite, &s.DropFolderMark, &s.Fol_FullPath1,
                             &s.Fol_FullPath2, &s.Fol_FullPath3, &s.Fol_RootGet2, &s.Fol_RootGet3,
                             &s.Fol_FolderMark1, &s.Fol_FolderMark2, &s.Fol_FolderMark3, &s.Fol_LastLineReturn1,
                             &s.Fol_LastLineReturn2, &s.Fol_LastLineReturn3, &s.Fol_Write1, &s.Fol_Write2,
                             &s.Fol_Write3})
        *off = "0";
    for (std::string* pattern : {&s.FileSizePatarn, &s.FileDateTimePatarn, &s.FileMakeDateTimePatarn,
                                 &s.FileAccessDateTimePatarn, &s.SFolderSizePatarn, &s.SFolderDateTimePatarn,
                                 &s.SFolderMakeDateTimePatarn, &s.SFolderAccessDateTimePatarn, &s.DropSizePatarn,
                                 &s.DropDateTimePatarn, &s.DropMakeDateTimePatarn, &s.DropAccessDateTimePatarn})
        *pattern = "0";
    s.DropMultiLine = "1";
    s.Fol_Kakomi = "";
    s.FileHiddenFile = "0";
    s.FileSystemFile = "0";
    s.FileWriteName = "/nonexistent/PX_File";
    s.SFolderWriteName = "/nonexistent/PX_SFolder";
    s.DropWriteName = "/nonexistent/PX_Drop";
    s.Fol_WriteName1 = "/nonexistent/PX_Folder";
    s.Fol_WriteName2 = "/nonexistent/PX_Folder2";
    s.Fol_WriteName3 = "/nonexistent/PX_Folder3";
    return s;
}

// A tree, the fakes and the plain settings for one collector command.
class CollectorTest : public ::testing::Test {
protected:
    TempTree tree;
    FakeJobContext fake;
    Settings settings = PlainListingSettings();
    BrowserState state;
};

}  // namespace pelmora::testing
