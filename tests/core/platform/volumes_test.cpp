// The drive list of the backup window: which mounted file systems are offered and as which
// medium.
#include "platform/volumes.h"

#include <gtest/gtest.h>

namespace rk {
namespace {

bool sdbRemovable(const std::string& disk) { return disk == "sdb"; }

TEST(Volumes, MediaFollowTheFileSystemAndTheRemovableFlag) {
    const char* mountinfo =
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "23 22 0:5 / /proc rw - proc proc rw\n"
        "24 22 0:6 / /sys rw - sysfs sysfs rw\n"
        "30 22 8:17 / /media/usb\\040stick rw - vfat /dev/sdb1 rw\n"
        "31 22 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n"
        "32 22 0:40 / /mnt/office rw - cifs //server/share rw\n"
        "33 22 0:41 / /mnt/ram rw - tmpfs tmpfs rw\n"
        "36 22 0:42 / /dev/shm rw - tmpfs tmpfs rw\n"
        "37 22 0:43 / /sys/fs/cgroup rw - tmpfs tmpfs rw\n"
        "34 22 259:2 / /home rw - ext4 /dev/nvme0n1p2 rw\n"
        "38 22 8:33 / /run/media/usb rw - vfat /dev/sdc1 rw\n"
        "35 22 8:1 / / rw - ext4 /dev/sda1 rw\n";
    const auto v = parseVolumes(mountinfo, sdbRemovable);
    ASSERT_EQ(v.size(), 7u);
    EXPECT_EQ(v[0].mount, "/");
    EXPECT_EQ(v[0].kind, Volume::Kind::Fixed);
    EXPECT_EQ(v[1].mount, "/media/usb stick");
    EXPECT_EQ(v[1].kind, Volume::Kind::Removable);
    EXPECT_EQ(v[2].kind, Volume::Kind::CdRom);
    EXPECT_EQ(v[3].kind, Volume::Kind::Remote);
    EXPECT_EQ(v[4].kind, Volume::Kind::RamDisk);
    EXPECT_EQ(v[5].mount, "/home");
    EXPECT_EQ(v[5].kind, Volume::Kind::Fixed);
    EXPECT_EQ(v[6].mount, "/run/media/usb");  // the system's own /dev, /sys and /run are left out
}

TEST(Volumes, FreeSpaceAndDevicesOfTheRealSystem) {
    SystemVolumes s;
    EXPECT_TRUE(s.freeBytes("/").has_value());
    EXPECT_FALSE(s.freeBytes("/no/such/folder").has_value());
    EXPECT_EQ(s.device("/tmp"), s.device("/tmp/."));
    EXPECT_FALSE(s.device("/no/such/folder").has_value());
}

}  // namespace
}  // namespace rk
