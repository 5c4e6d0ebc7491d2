#include "platform/volumes.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <sstream>

#include "platform/mounts.h"

namespace rk {
namespace {

constexpr std::array<std::string_view, 9> kRemote = {"nfs",   "nfs4",       "cifs", "smb3", "smbfs",
                                                     "sshfs", "fuse.sshfs", "9p",   "afs"};
constexpr std::array<std::string_view, 2> kCdRom = {"iso9660", "udf"};
constexpr std::array<std::string_view, 2> kRam = {"tmpfs", "ramfs"};
// Kernel and pseudo file systems nobody backs up to.
constexpr std::array<std::string_view, 22> kPseudo = {
    "proc",        "sysfs",    "devtmpfs", "devpts",     "cgroup",    "cgroup2",        "mqueue",    "securityfs",
    "debugfs",     "tracefs",  "pstore",   "bpf",        "configfs",  "fusectl",        "hugetlbfs", "autofs",
    "binfmt_misc", "efivarfs", "nsfs",     "rpc_pipefs", "selinuxfs", "fuse.gvfsd-fuse"};

template <size_t N>
bool among(const std::array<std::string_view, N>& list, std::string_view v) {
    return std::find(list.begin(), list.end(), v) != list.end();
}

// "/dev/sdb1" -> "sdb": the block device whose removable flag counts.
std::string diskOf(const std::string& source) {
    if (source.rfind("/dev/", 0) != 0) return {};
    std::string name = source.substr(5);
    if (name.rfind("nvme", 0) == 0 || name.rfind("mmcblk", 0) == 0) {
        const size_t p = name.rfind('p');
        if (p != std::string::npos && p > 4) name = name.substr(0, p);
        return name;
    }
    while (!name.empty() && std::isdigit(static_cast<unsigned char>(name.back()))) name.pop_back();
    return name;
}

// The system's own mounts (/proc, /sys, /dev, /run) hold nothing to back up to; removable
// media mounted under /run/media are offered.
bool systemArea(const fs::path& mount) {
    const std::string m = mount.string();
    auto under = [&](std::string_view root) {
        return m.compare(0, root.size(), root) == 0 && (m.size() == root.size() || m[root.size()] == '/');
    };
    return under("/proc") || under("/sys") || under("/dev") || (under("/run") && !under("/run/media"));
}

bool sysRemovable(const std::string& disk) {
    std::ifstream in("/sys/block/" + disk + "/removable");
    int flag = 0;
    return in >> flag && flag == 1;
}

}  // namespace

std::vector<Volume> parseVolumes(std::string_view mountinfo, bool (*removable)(const std::string&)) {
    std::vector<Volume> out;
    const std::vector<fs::path> mounts = parseMountInfo(mountinfo);
    std::istringstream lines{std::string(mountinfo)};
    std::string line;
    size_t index = 0;
    while (std::getline(lines, line)) {
        if (index >= mounts.size()) break;
        const fs::path mount = mounts[index++];
        // After the " - " separator: file system type, then the source.
        const size_t dash = line.find(" - ");
        if (dash == std::string::npos) continue;
        std::istringstream tail(line.substr(dash + 3));
        Volume v;
        v.mount = mount;
        tail >> v.type >> v.source;
        if (v.type.empty() || among(kPseudo, v.type) || systemArea(v.mount)) continue;
        if (among(kRemote, v.type))
            v.kind = Volume::Kind::Remote;
        else if (among(kCdRom, v.type))
            v.kind = Volume::Kind::CdRom;
        else if (among(kRam, v.type))
            v.kind = Volume::Kind::RamDisk;
        else if (const std::string disk = diskOf(v.source); !disk.empty() && removable && removable(disk))
            v.kind = Volume::Kind::Removable;
        else
            v.kind = Volume::Kind::Fixed;
        if (std::none_of(out.begin(), out.end(), [&](const Volume& o) { return o.mount == v.mount; }))
            out.push_back(std::move(v));
    }
    return out;
}

std::vector<Volume> SystemVolumes::list() {
    std::ifstream in("/proc/self/mountinfo");
    std::stringstream text;
    text << in.rdbuf();
    return parseVolumes(text.str(), sysRemovable);
}

std::optional<uint64_t> SystemVolumes::freeBytes(const fs::path& p) {
    struct statvfs st {};
    if (::statvfs(p.c_str(), &st) != 0) return std::nullopt;
    return static_cast<uint64_t>(st.f_bavail) * st.f_frsize;
}

std::optional<uint64_t> SystemVolumes::device(const fs::path& p) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0) return std::nullopt;
    return static_cast<uint64_t>(st.st_dev);
}

Volumes& systemVolumes() {
    static SystemVolumes v;
    return v;
}

}  // namespace rk
