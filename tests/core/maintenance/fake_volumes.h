// Volumes for tests: every folder is on device 1 unless it lies under a folder put on
// another device; free space is whatever the test says (nullopt: cannot be measured).
#pragma once

#include <map>

#include "platform/volumes.h"

namespace rk::test {

class FakeVolumes final : public Volumes {
public:
    std::vector<Volume> volumes;
    std::optional<uint64_t> free = uint64_t{1} << 40;
    std::map<fs::path, uint64_t> devices;  // folder -> device of everything below it
    int measured = 0;

    std::vector<Volume> list() override { return volumes; }
    std::optional<uint64_t> freeBytes(const fs::path&) override {
        ++measured;
        return free;
    }
    std::optional<uint64_t> device(const fs::path& p) override {
        uint64_t dev = 1;
        size_t best = 0;
        const std::string s = p.lexically_normal().string();
        for (const auto& [folder, d] : devices) {
            const std::string f = folder.lexically_normal().string();
            if (s.rfind(f, 0) == 0 && f.size() > best) {
                best = f.size();
                dev = d;
            }
        }
        return dev;
    }
};

}  // namespace rk::test
