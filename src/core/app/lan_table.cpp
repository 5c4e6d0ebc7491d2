#include "app/lan_table.h"

namespace rk {

LanTable::LanTable() { slots_.fill(-1); }

LanTable LanTable::forServer() {
    LanTable t;
    t.setSlot(1, 1);
    return t;
}

LanTable LanTable::fromBytes(std::span<const std::byte> b) {
    LanTable t;
    for (int i = 0; i < kSlots && static_cast<size_t>(i) * 4 + 4 <= b.size(); ++i) t.setSlot(i, readI32(b, i * 4));
    return t;
}

Bytes LanTable::toBytes() const {
    Bytes b(kBytes);
    for (int i = 0; i < kSlots; ++i) writeI32(b, static_cast<size_t>(i) * 4, slot(i));
    return b;
}

int LanTable::endEntry() const {
    for (int k = 0; k < kEntries; ++k)
        if (entry(k, 0) == -1) return k;
    return kEntries;
}

void LanTable::setEntry(int k, int32_t v) {
    for (int f = 0; f < 4; ++f) setSlot(kFirstEntry + 4 * k + f, v);
}

// A freed entry becomes a hole, or moves the end marker back when it was the last one used.
void LanTable::clearEntry(int k) {
    const bool last = k + 1 >= kEntries || entry(k + 1, 0) == -1;
    setEntry(k, last ? -1 : 0);
}

void LanTable::clearClaim() {
    setSlot(kClaimStation, -1);
    setSlot(kClaimCustomer, -1);
    setSlot(kClaimSpare, -1);
}

int LanTable::lockSlip(int32_t date, int32_t customer, int station) {
    // An entry of date or customer 0 would read as a hole: such a lock could never hold.
    if (date < 1 || customer < 1) return lan::kTaken;
    if (slot(kClaimCustomer) == customer) return lan::kClaimed;
    const int end = endEntry();
    for (int k = 0; k < end; ++k)
        if (entryInUse(k) && entry(k, 0) == date && entry(k, 1) == customer) return lan::kTaken;
    for (int k = 0; k < kEntries; ++k) {
        if (entry(k, 0) >= 1) continue;
        const int base = kFirstEntry + 4 * k;
        setSlot(base, date);
        setSlot(base + 1, customer);
        setSlot(base + 2, station);
        return lan::kOk;
    }
    // All entries in use: storing nothing and going on would let two stations edit one slip.
    return lan::kTaken;
}

void LanTable::unlockSlip(int32_t date, int32_t customer, int station) {
    const int end = endEntry();
    for (int k = 0; k < end; ++k) {
        if (entryInUse(k) && entry(k, 0) == date && entry(k, 1) == customer && entry(k, 2) == station) {
            clearEntry(k);
            return;
        }
    }
}

void LanTable::unlockOwn(int station) {
    const int end = endEntry();
    for (int k = 0; k < end; ++k) {
        // Holes carry station 0 too; only entries in use belong to anyone.
        if (entryInUse(k) && entry(k, 2) == station) {
            clearEntry(k);
            return;
        }
    }
}

int LanTable::claimCustomer(int32_t customer, int station) {
    if (customer < 1) return lan::kTaken;
    if (slot(kClaimCustomer) != -1) return slot(kClaimCustomer);
    const int end = endEntry();
    for (int k = 0; k < end; ++k)
        if (entryInUse(k) && entry(k, 1) == customer) return lan::kTaken;
    setSlot(kClaimCustomer, customer);
    setSlot(kClaimStation, station);
    return lan::kOk;
}

void LanTable::releaseClaim(int32_t customer, int station) {
    if (slot(kClaimStation) == station && slot(kClaimCustomer) == customer) clearClaim();
}

void LanTable::releaseOwnClaim(int station) {
    if (slot(kClaimStation) == station) clearClaim();
}

int LanTable::checkIdle() const {
    for (int k = 0; k < kEntries; ++k)
        if (entryInUse(k)) return lan::kTaken;
    if (slot(kClaimStation) > 0) return lan::kClaimed;
    return lan::kOk;
}

void LanTable::releaseStation(int station) {
    if (station >= 1 && station <= kStations) setSlot(station, -1);
    // From the last entry back, so that freed entries at the end move the end marker back.
    for (int k = endEntry() - 1; k >= 0; --k)
        if (entryInUse(k) && entry(k, 2) == station) clearEntry(k);
    if (slot(kClaimStation) == station) clearClaim();
}

void LanTable::reconcile(const std::function<bool(int)>& running) {
    bool alive[kStations + 1] = {};
    for (int n = 1; n <= kStations; ++n) {
        alive[n] = running(n);
        setSlot(n, alive[n] ? 1 : -1);
    }
    auto belongs = [&](int32_t station) { return station >= 1 && station <= kStations && alive[station]; };

    const int end = endEntry();
    for (int k = end + 1; k < kEntries; ++k) setEntry(k, -1);
    for (int k = end - 1; k >= 0; --k) {
        if (entryInUse(k) && (entry(k, 1) < 1 || !belongs(entry(k, 2))))
            clearEntry(k);
        else if (!entryInUse(k) && entry(k, 0) != 0)
            setEntry(k, 0);  // a damaged hole
    }
    // After clearing, trailing holes before the end marker stay holes, as they always have.
    if (slot(kClaimCustomer) < 1 || !belongs(slot(kClaimStation))) {
        if (slot(kClaimCustomer) != -1 || slot(kClaimStation) != -1 || slot(kClaimSpare) != -1) clearClaim();
    }
}

}  // namespace rk
