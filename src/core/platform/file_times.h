// Setting a file's modification time, which copies and extracted files carry over.
#pragma once

#include "platform/file_system.h"

namespace rk {

// Sets the modification time (local time) of `p`; false when that is not possible.
bool setModifiedTime(const fs::path& p, const FileTime& t);

}  // namespace rk
