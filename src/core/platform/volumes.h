// The mounted file systems a backup can go to, their free space and which device a folder is
// on. Behind an interface so tests can fill a disk or put two folders on one device.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rk {

namespace fs = std::filesystem;

struct Volume {
    enum class Kind { Removable, Fixed, Remote, CdRom, RamDisk };
    fs::path mount;
    std::string type;    // file system type ("ext4", "nfs" …)
    std::string source;  // mounted device or share
    Kind kind = Kind::Fixed;
};

// The mounted file systems worth offering, in mount order, from the text of
// /proc/self/mountinfo; `removable(device name)` tells whether a block device is removable.
std::vector<Volume> parseVolumes(std::string_view mountinfo, bool (*removable)(const std::string& device));

class Volumes {
public:
    virtual ~Volumes() = default;
    virtual std::vector<Volume> list() = 0;
    // Bytes free to this user on the file system holding `p`; nullopt when unknown.
    virtual std::optional<uint64_t> freeBytes(const fs::path& p) = 0;
    // Identity of the device holding `p` (st_dev); nullopt when `p` cannot be looked at.
    virtual std::optional<uint64_t> device(const fs::path& p) = 0;
};

class SystemVolumes final : public Volumes {
public:
    std::vector<Volume> list() override;
    std::optional<uint64_t> freeBytes(const fs::path& p) override;
    std::optional<uint64_t> device(const fs::path& p) override;
};

Volumes& systemVolumes();

}  // namespace rk
