// The network control file held in memory: 256 int32 slots. Slots 1 to 9 say which station
// numbers run, slots 13 to 15 hold the customer claim of the payment window, slots 16 to 251
// the 59 slip locks (date, customer, station, spare). -1 marks an empty slot; a freed slip
// lock becomes a hole of zeros, and the first entry of -1 ends the used part of the list.
// Only the arithmetic lives here; reading, writing and the data-folder lock are LanControl's.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "base/record.h"

namespace rk {

// Results of the coordinating operations.
namespace lan {
inline constexpr int kOk = 0;
inline constexpr int kTaken = -1;    // locked by an entry, list full, or the file is unusable
inline constexpr int kClaimed = -2;  // the customer is under a claim / a claim exists
}  // namespace lan

class LanTable {
public:
    static constexpr int kSlots = 256;
    static constexpr size_t kBytes = kSlots * 4;
    static constexpr int kStations = 9;
    static constexpr int kClaimStation = 13, kClaimCustomer = 14, kClaimSpare = 15;
    static constexpr int kFirstEntry = 16;
    static constexpr int kEntries = 59;

    // Every slot -1.
    LanTable();
    // A server's fresh table: every slot -1, station 1 running.
    static LanTable forServer();
    // What a file holds; slots the file is too short for read as -1.
    static LanTable fromBytes(std::span<const std::byte> b);
    Bytes toBytes() const;

    int32_t slot(int i) const { return slots_[static_cast<size_t>(i)]; }
    void setSlot(int i, int32_t v) { slots_[static_cast<size_t>(i)] = v; }
    int32_t entry(int k, int field) const { return slot(kFirstEntry + 4 * k + field); }
    bool entryInUse(int k) const { return entry(k, 0) > 0; }

    // kOk, kTaken (an entry for the key exists, or all 59 entries are in use) or kClaimed.
    int lockSlip(int32_t date, int32_t customer, int station);
    void unlockSlip(int32_t date, int32_t customer, int station);
    void unlockOwn(int station);
    // kOk, kTaken when a slip of the customer is locked, else the customer under claim.
    int claimCustomer(int32_t customer, int station);
    void releaseClaim(int32_t customer, int station);
    void releaseOwnClaim(int station);
    // kOk, kTaken when a slip is locked, kClaimed when a customer is claimed.
    int checkIdle() const;

    // Frees the slot, the slip locks and the claim of one station.
    void releaseStation(int station);
    // Brings the table in line with the stations that really run: a running station's slot
    // is 1, every other station's slot, slip locks and claim are freed; entries past the end
    // marker and claims or entries that name no possible station are cleared.
    void reconcile(const std::function<bool(int)>& running);

    bool operator==(const LanTable&) const = default;

private:
    // Index of the first entry of -1 (the end of the used list), kEntries when there is none.
    int endEntry() const;
    void setEntry(int k, int32_t v);
    void clearEntry(int k);
    void clearClaim();

    std::array<int32_t, kSlots> slots_;
};

}  // namespace rk
