#include "platform/shared_write.h"

#include <algorithm>
#include <cerrno>
#include <vector>

namespace rk {

WriteResult WriteResult::failed() {
    WriteResult r{WriteStatus::Failed, lastFileError()};
    return r;
}

std::string WriteResult::message(std::string_view text) const {
    std::string out(text);
    if (!error.empty()) out += "\n(" + error.describe() + ")";
    return out;
}

bool applyChangedFields(std::span<const std::byte> before, std::span<const std::byte> after, std::span<std::byte> live,
                        std::span<const FieldSpan> fields) {
    const size_t size = std::min({before.size(), after.size(), live.size()});
    std::vector<bool> listed(size, false);
    bool changed = false;
    for (const FieldSpan& f : fields) {
        if (f.offset >= size) continue;
        const size_t n = std::min(f.size, size - f.offset);
        std::fill(listed.begin() + static_cast<ptrdiff_t>(f.offset),
                  listed.begin() + static_cast<ptrdiff_t>(f.offset + n), true);
        if (std::memcmp(before.data() + f.offset, after.data() + f.offset, n) == 0) continue;
        std::memcpy(live.data() + f.offset, after.data() + f.offset, n);
        changed = true;
    }
    for (size_t i = 0; i < size; ++i) {
        if (listed[i] || before[i] == after[i]) continue;
        live[i] = after[i];
        changed = true;
    }
    return changed;
}

SharedWrite::SharedWrite(FileSystem& fs, const fs::path& lockFolder, std::chrono::milliseconds wait)
    : fs_(fs), tx_(fs, FileTransaction::journalFile(lockFolder)) {
    clearFileError();
    lock_ = DataLock::acquire(lockFolder, wait);
    if (!lock_) {
        result_ = {WriteStatus::Busy, lastFileError()};
        return;
    }
    if (!tx_.begin()) result_ = WriteResult::failed();
}

bool SharedWrite::read(const fs::path& file, uint64_t offset, std::span<std::byte> out) {
    if (!fs_.exists(file)) {
        noteFileError("open", file, ENOENT);
        result_ = WriteResult::failed();
        return false;
    }
    if (!fs_.readZeroFilled(file, offset, out)) {
        result_ = WriteResult::failed();
        return false;
    }
    return true;
}

WriteResult SharedWrite::commit() {
    if (!ready()) return result_;
    if (tx_.empty()) return {WriteStatus::Unchanged, {}};
    if (!tx_.commit()) result_ = WriteResult::failed();
    return result_;
}

}  // namespace rk
