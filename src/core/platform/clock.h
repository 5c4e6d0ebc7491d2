// The system date and time, behind an interface so tests can fix "today".
#pragma once

#include "platform/file_system.h"

namespace rk {

class Clock {
public:
    virtual ~Clock() = default;
    virtual FileTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    FileTime now() const override;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(FileTime t) : t_(t) {}
    FileTime now() const override { return t_; }
    void set(FileTime t) { t_ = t; }

private:
    FileTime t_;
};

const Clock& systemClock();

}  // namespace rk
