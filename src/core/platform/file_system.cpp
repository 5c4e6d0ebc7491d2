#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <system_error>

namespace rk {
namespace {

thread_local FileError tLastError;

// Notes errno for the call and returns false, so a failure reads `return failed(...)`.
bool failed(const char* operation, const fs::path& p) {
    noteFileError(operation, p, errno);
    return false;
}

struct Fd {
    int fd;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    // Closes now; a write that only fails at close (a full or vanished network disk) is a
    // failed write.
    bool close() {
        const int f = fd;
        fd = -1;
        return ::close(f) == 0;
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    explicit operator bool() const { return fd >= 0; }
};

bool writeFully(int fd, uint64_t offset, std::span<const std::byte> data) {
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::pwrite(fd, data.data() + done, data.size() - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

FileTime localTime(time_t t) {
    struct tm tm {};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace

std::string FileError::describe() const {
    if (empty()) return {};
    std::string text = operation + " " + path.string();
    if (code != 0) text += ": " + std::string(std::strerror(code));
    return text;
}

const FileError& lastFileError() { return tLastError; }

void noteFileError(std::string operation, const fs::path& path, int code) {
    tLastError = FileError{std::move(operation), path, code};
}

void clearFileError() { tLastError = FileError{}; }

std::optional<size_t> PosixFileSystem::read(const fs::path& given, uint64_t offset, std::span<std::byte> out) {
    const fs::path p = resolveCase(given);
    Fd f(::open(p.c_str(), O_RDONLY | O_CLOEXEC));
    if (!f) return failed("open", p), std::nullopt;
    size_t done = 0;
    while (done < out.size()) {
        ssize_t n = ::pread(f.fd, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return failed("read", p), std::nullopt;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

bool PosixFileSystem::write(const fs::path& given, uint64_t offset, std::span<const std::byte> data, bool create) {
    const fs::path p = resolveCase(given);
    Fd f(::open(p.c_str(), O_WRONLY | O_CLOEXEC | (create ? O_CREAT : 0), 0644));
    if (!f) return failed("open", p);
    if (!writeFully(f.fd, offset, data)) return failed("write", p);
    return f.close() || failed("close", p);
}

std::optional<uint64_t> PosixFileSystem::append(const fs::path& given, std::span<const std::byte> data) {
    const fs::path p = resolveCase(given);
    Fd f(::open(p.c_str(), O_WRONLY | O_CLOEXEC));
    if (!f) return failed("open", p), std::nullopt;
    off_t end = ::lseek(f.fd, 0, SEEK_END);
    if (end < 0) return failed("seek", p), std::nullopt;
    if (!writeFully(f.fd, static_cast<uint64_t>(end), data)) return failed("write", p), std::nullopt;
    if (!f.close()) return failed("close", p), std::nullopt;
    return static_cast<uint64_t>(end);
}

std::optional<uint64_t> PosixFileSystem::size(const fs::path& given) {
    const fs::path p = resolveCase(given);
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0) return failed("stat", p), std::nullopt;
    if (!S_ISREG(st.st_mode)) return noteFileError("stat", p, EISDIR), std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

bool PosixFileSystem::exists(const fs::path& given) {
    const fs::path p = resolveCase(given);
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PosixFileSystem::writable(const fs::path& given) {
    const fs::path p = resolveCase(given);
    Fd f(::open(p.c_str(), O_WRONLY | O_CLOEXEC));
    return static_cast<bool>(f);
}

std::optional<FileTime> PosixFileSystem::modified(const fs::path& given) {
    const fs::path p = resolveCase(given);
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0) return std::nullopt;
    return localTime(st.st_mtime);
}

bool PosixFileSystem::truncate(const fs::path& given, uint64_t length) {
    const fs::path p = resolveCase(given);
    return ::truncate(p.c_str(), static_cast<off_t>(length)) == 0 || failed("truncate", p);
}

bool PosixFileSystem::sync(const fs::path& given) {
    const fs::path p = resolveCase(given);
    Fd f(::open(p.c_str(), O_RDONLY | O_CLOEXEC));
    if (!f) return failed("open", p);
    return ::fsync(f.fd) == 0 || failed("sync", p);
}

bool PosixFileSystem::rename(const fs::path& from, const fs::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return failed("rename", to);
    // Make the new name durable too.
    Fd dir(::open(to.parent_path().empty() ? "." : to.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir) ::fsync(dir.fd);
    return true;
}

bool PosixFileSystem::remove(const fs::path& given) {
    const fs::path p = resolveCase(given);
    return ::unlink(p.c_str()) == 0 || failed("remove", p);
}

bool PosixFileSystem::copy(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) return noteFileError("copy", to, ec.value()), false;
    struct stat st {};
    if (::stat(from.c_str(), &st) != 0) return failed("stat", from);
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    return ::utimensat(AT_FDCWD, to.c_str(), times, 0) == 0 || failed("utimensat", to);
}

bool FileSystem::replaceWhole(const fs::path& p, std::span<const std::byte> data) {
    fs::path tmp = p;
    tmp += ".tmp";
    if (exists(tmp)) (void)remove(tmp);
    if (!write(tmp, 0, data, true) || !sync(tmp) || !rename(tmp, p)) {
        const FileError why = lastFileError();  // the cause, not the clean-up's
        if (exists(tmp)) (void)remove(tmp);
        noteFileError(why.operation, why.path, why.code);
        return false;
    }
    return true;
}

bool FileSystem::createZeroed(const fs::path& p, uint64_t count) {
    Bytes zeros(count);
    return replaceWhole(p, zeros);
}

namespace {

// A reader for file systems that only read by name.
class NamedFileReader final : public FileReader {
public:
    NamedFileReader(FileSystem& fs, fs::path p) : fs_(fs), path_(std::move(p)) {}
    std::optional<size_t> read(uint64_t offset, std::span<std::byte> out) override {
        return fs_.read(path_, offset, out);
    }
    std::optional<uint64_t> size() override { return fs_.size(path_); }

private:
    FileSystem& fs_;
    fs::path path_;
};

class PosixFileReader final : public FileReader {
public:
    PosixFileReader(int fd, fs::path p) : fd_(fd), path_(std::move(p)) {}
    ~PosixFileReader() override { ::close(fd_); }
    PosixFileReader(const PosixFileReader&) = delete;
    PosixFileReader& operator=(const PosixFileReader&) = delete;

    std::optional<size_t> read(uint64_t offset, std::span<std::byte> out) override {
        size_t done = 0;
        while (done < out.size()) {
            ssize_t n = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR) continue;
                return failed("read", path_), std::nullopt;
            }
            if (n == 0) break;
            done += static_cast<size_t>(n);
        }
        return done;
    }
    std::optional<uint64_t> size() override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) return failed("stat", path_), std::nullopt;
        return static_cast<uint64_t>(st.st_size);
    }

private:
    int fd_;
    fs::path path_;
};

}  // namespace

std::optional<size_t> FileReader::readZeroFilled(uint64_t offset, std::span<std::byte> out) {
    auto n = read(offset, out);
    if (!n) return std::nullopt;
    std::fill(out.begin() + static_cast<ptrdiff_t>(*n), out.end(), std::byte{0});
    return n;
}

std::unique_ptr<FileReader> FileSystem::openReader(const fs::path& p) {
    if (!exists(p)) return noteFileError("open", p, ENOENT), nullptr;
    return std::make_unique<NamedFileReader>(*this, p);
}

std::unique_ptr<FileReader> PosixFileSystem::openReader(const fs::path& given) {
    const fs::path p = resolveCase(given);
    const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return failed("open", p), nullptr;
    return std::make_unique<PosixFileReader>(fd, p);
}

std::optional<size_t> FileSystem::readZeroFilled(const fs::path& p, uint64_t offset, std::span<std::byte> out) {
    auto n = read(p, offset, out);
    if (!n) return std::nullopt;
    std::fill(out.begin() + static_cast<ptrdiff_t>(*n), out.end(), std::byte{0});
    return n;
}

std::optional<Bytes> FileSystem::readAll(const fs::path& p) {
    auto file = openReader(p);
    if (!file) return std::nullopt;
    auto len = file->size();
    if (!len) return std::nullopt;
    Bytes b(*len);
    auto n = file->read(0, b);
    if (!n) return std::nullopt;
    b.resize(*n);
    return b;
}

FileSystem& realFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

fs::path resolveCase(const fs::path& p) {
    std::error_code ec;
    if (fs::exists(p, ec)) return p;
    fs::path dir = p.parent_path().empty() ? fs::path(".") : p.parent_path();
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    };
    std::string want = lower(p.filename().string());
    for (auto it = fs::directory_iterator(dir, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        if (lower(it->path().filename().string()) == want) return p.parent_path() / it->path().filename();
    }
    return p;
}

}  // namespace rk
