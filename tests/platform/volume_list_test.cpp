#include "platform/volume_list.h"

#include <cerrno>
#include <gtest/gtest.h>

using namespace pelmora::platform;

namespace {

// Lines in the layout of /proc/self/mountinfo.
const char* kTable =
    "22 28 0:21 / /proc rw,nosuid - proc proc rw\n"
    "24 28 0:5 / /dev rw,nosuid shared:2 - devtmpfs udev rw,size=4000k\n"
    "30 24 0:25 / /dev/shm rw shared:4 - tmpfs tmpfs rw\n"
    "60 28 8:17 / /media/usb\\040stick rw,relatime shared:40 - vfat /dev/sdb1 rw,fmask=0022\n"
    "28 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw,errors=remount-ro\n"
    "61 28 8:33 / /srv rw - xfs /dev/sdc1 rw\n"
    "62 28 8:34 / /srv rw master:7 - btrfs /dev/sdc2 rw\n"
    "malformed line\n"
    "63 28 0:40 / /mnt/share rw - nfs4 server:/export rw\n";

}  // namespace

TEST(VolumeList, MountTableGivesRootFirstAndOnlyRealFileSystems) {
    const auto volumes = VolumesFromMountTable(kTable, {{"/dev/sdb1", "MY STICK"}});
    ASSERT_EQ(volumes.size(), 4u);
    EXPECT_EQ(volumes[0].mountPoint, "/");
    EXPECT_EQ(volumes[0].fileSystem, "ext4");
    // Escaped spaces in mount points are decoded; the label map gives the label.
    EXPECT_EQ(volumes[1].mountPoint, "/media/usb stick");
    EXPECT_EQ(volumes[1].label, "MY STICK");
    // A mount point mounted twice shows the later, visible mount once.
    EXPECT_EQ(volumes[2].mountPoint, "/srv");
    EXPECT_EQ(volumes[2].fileSystem, "btrfs");
    EXPECT_EQ(volumes[3].mountPoint, "/mnt/share");
    EXPECT_EQ(volumes[3].source, "server:/export");
    EXPECT_TRUE(volumes[3].label.empty());
}

TEST(VolumeList, RunningSystemListsTheRootFirst) {
    const auto volumes = ListVolumes();
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front().mountPoint, "/");
}

TEST(VolumeList, OnlyMissingMediumErrorsCountAsUnavailableDevices) {
    EXPECT_TRUE(IsDeviceUnavailable(std::error_code(ENOMEDIUM, std::generic_category())));
    EXPECT_TRUE(IsDeviceUnavailable(std::error_code(ENXIO, std::system_category())));
    EXPECT_TRUE(IsDeviceUnavailable(std::error_code(ENODEV, std::generic_category())));
    EXPECT_FALSE(IsDeviceUnavailable(std::error_code(EACCES, std::generic_category())));
    EXPECT_FALSE(IsDeviceUnavailable(std::error_code(ENOENT, std::generic_category())));
    EXPECT_FALSE(IsDeviceUnavailable(std::error_code()));
}

TEST(VolumeList, SharesTheSystemMountedAreVolumes) {
    // cifs and smb3 mounts are listed like disks.
    const auto mounted = VolumesFromMountTable(
        "28 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "70 28 0:50 / /mnt/office rw - cifs //office/common rw,vers=3.1.1\n"
        "71 28 0:51 / /mnt/nas rw - smb3 //nas/docs rw\n"
        "72 28 0:52 / /run/user/1000/gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw\n",
        {});
    ASSERT_EQ(mounted.size(), 3u);
    EXPECT_EQ(mounted[1].source, "//office/common");
    EXPECT_EQ(mounted[2].fileSystem, "smb3");

    // GVFS mounts each share as a folder of its FUSE mount.
    const auto shares = GvfsSmbShares("/run/user/1000/gvfs", {".", "..", "smb-share:server=nas,share=my%20docs,user=me",
                                                             "sftp:host=box", "smb-share:server=pc", "smb-share:share=x"});
    ASSERT_EQ(shares.size(), 1u);
    EXPECT_EQ(shares[0].mountPoint, "/run/user/1000/gvfs/smb-share:server=nas,share=my%20docs,user=me");
    EXPECT_EQ(shares[0].label, "//nas/my docs");
}
