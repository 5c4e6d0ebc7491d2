// A fresh folder under the system's temporary folder, removed with its contents at the end.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "base/record.h"
#include "platform/file_system.h"

namespace rk::test {

class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("rakurena-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline Bytes readFile(const std::filesystem::path& p) { return realFileSystem().readAll(p).value_or(Bytes{}); }

inline std::string sjis(std::string_view bytes) { return std::string(bytes); }

}  // namespace rk::test
