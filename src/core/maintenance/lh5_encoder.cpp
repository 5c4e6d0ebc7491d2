#include "maintenance/lh5_encoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <queue>
#include <vector>

namespace rk::lha {
namespace {

constexpr int kWindow = 8192;  // dictionary of -lh5-
constexpr int kMaxDistance = kWindow - 1;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;
constexpr int kNC = 256 + kMaxMatch + 2 - kMinMatch;  // literals and match lengths: 510
constexpr int kNT = 19;                               // code-length codes: 16 + 3
constexpr int kNP = 14;                               // position bit counts 0..13
constexpr int kCBit = 9, kTBit = 5, kPBit = 4;
constexpr int kMaxCodeLength = 16;
constexpr size_t kBlockSymbols = 16384;  // under the 16-bit count of a block
constexpr int kHashBits = 15;
constexpr int kMaxChain = 48;

class BitWriter {
public:
    explicit BitWriter(Bytes& out) : out_(out) {}
    // The low `count` bits of `value`, highest first.
    void put(int count, unsigned value) {
        if (count == 0) return;
        acc_ = (acc_ << count) | (value & ((1u << count) - 1));
        bits_ += count;
        while (bits_ >= 8) {
            bits_ -= 8;
            out_.push_back(static_cast<std::byte>((acc_ >> bits_) & 0xFF));
        }
        acc_ &= (uint64_t{1} << bits_) - 1;
    }
    void flush() {
        if (bits_ > 0) put(8 - bits_, 0);
    }

private:
    Bytes& out_;
    uint64_t acc_ = 0;
    int bits_ = 0;
};

struct Token {
    uint16_t c;  // literal byte, or 256 + length - 3
    uint16_t p;  // distance - 1 for a match
};

// Code lengths of at most kMaxCodeLength bits for the used symbols (frequency > 0). Fewer
// than two used symbols get no lengths: the block stores such a tree as a constant.
std::vector<uint8_t> codeLengths(const std::vector<uint32_t>& freq) {
    const size_t n = freq.size();
    std::vector<uint8_t> len(n, 0);
    std::vector<uint32_t> f = freq;
    if (std::count_if(f.begin(), f.end(), [](uint32_t v) { return v > 0; }) < 2) return len;
    for (;;) {
        // Nodes 0..n-1 are the symbols, the rest the inner nodes.
        std::vector<int> parent(2 * n, -1);
        using Item = std::pair<uint64_t, int>;
        std::priority_queue<Item, std::vector<Item>, std::greater<>> heap;
        for (size_t i = 0; i < n; ++i)
            if (f[i] > 0) heap.push({f[i], static_cast<int>(i)});
        int next = static_cast<int>(n);
        while (heap.size() > 1) {
            auto [wa, a] = heap.top();
            heap.pop();
            auto [wb, b] = heap.top();
            heap.pop();
            parent[static_cast<size_t>(a)] = parent[static_cast<size_t>(b)] = next;
            heap.push({wa + wb, next++});
        }
        int deepest = 0;
        for (size_t i = 0; i < n; ++i) {
            if (f[i] == 0) continue;
            int d = 0;
            for (int x = static_cast<int>(i); parent[static_cast<size_t>(x)] >= 0; x = parent[static_cast<size_t>(x)])
                ++d;
            len[i] = static_cast<uint8_t>(std::min(d, 255));
            deepest = std::max(deepest, d);
        }
        if (deepest <= kMaxCodeLength) return len;
        // Too deep: flatten the frequencies and build again.
        for (uint32_t& v : f)
            if (v > 0) v = std::max<uint32_t>(1, v >> 1);
    }
}

// Canonical codes: shorter codes first, within one length in symbol order.
std::vector<uint16_t> canonicalCodes(const std::vector<uint8_t>& len) {
    std::array<unsigned, kMaxCodeLength + 2> count{}, start{};
    for (uint8_t l : len) ++count[l];
    count[0] = 0;
    for (int i = 1; i <= kMaxCodeLength; ++i)
        start[static_cast<size_t>(i + 1)] = (start[static_cast<size_t>(i)] + count[static_cast<size_t>(i)]) << 1;
    std::vector<uint16_t> code(len.size(), 0);
    for (size_t i = 0; i < len.size(); ++i)
        if (len[i] > 0) code[i] = static_cast<uint16_t>(start[len[i]]++);
    return code;
}

int usedCount(const std::vector<uint32_t>& freq, int& only) {
    int used = 0;
    only = 0;
    for (size_t i = 0; i < freq.size(); ++i)
        if (freq[i] > 0) {
            ++used;
            only = static_cast<int>(i);
        }
    return used;
}

int trimmed(const std::vector<uint8_t>& len) {
    int n = static_cast<int>(len.size());
    while (n > 0 && len[static_cast<size_t>(n - 1)] == 0) --n;
    return n;
}

// Lengths of the code-length tree or of the position tree: 3 bits up to 6, longer ones in
// unary. After the third length of the code-length tree, a 2-bit count of the zeros that follow.
void writePtLengths(BitWriter& w, const std::vector<uint8_t>& len, int nbit, int special) {
    const int n = trimmed(len);
    w.put(nbit, static_cast<unsigned>(n));
    int i = 0;
    while (i < n) {
        const int k = len[static_cast<size_t>(i++)];
        if (k <= 6)
            w.put(3, static_cast<unsigned>(k));
        else
            w.put(k - 3, (1u << (k - 3)) - 2);
        if (i == special) {
            while (i < 6 && i < n && len[static_cast<size_t>(i)] == 0) ++i;
            w.put(2, static_cast<unsigned>((i - special) & 3));
        }
    }
}

int bitLength(unsigned v) {
    int c = 0;
    while (v) {
        v >>= 1;
        ++c;
    }
    return c;
}

void sendBlock(BitWriter& w, const std::vector<Token>& tokens) {
    std::vector<uint32_t> cFreq(kNC, 0), pFreq(kNP, 0);
    for (const Token& t : tokens) {
        ++cFreq[t.c];
        if (t.c >= 256) ++pFreq[static_cast<size_t>(bitLength(t.p))];
    }
    const auto cLen = codeLengths(cFreq);
    const auto cCode = canonicalCodes(cLen);
    w.put(16, static_cast<unsigned>(tokens.size()));

    int onlyC = 0;
    if (usedCount(cFreq, onlyC) >= 2) {
        // Code lengths of the literal/length tree, coded with the code-length tree: runs of
        // zeros as symbols 0 (one), 1 (3..18, 4 more bits) and 2 (20 and more, 9 more bits).
        const int n = trimmed(cLen);
        std::vector<uint32_t> tFreq(kNT, 0);
        for (int i = 0; i < n;) {
            const int k = cLen[static_cast<size_t>(i++)];
            if (k != 0) {
                ++tFreq[static_cast<size_t>(k + 2)];
                continue;
            }
            int run = 1;
            while (i < n && cLen[static_cast<size_t>(i)] == 0) ++i, ++run;
            if (run <= 2)
                tFreq[0] += static_cast<uint32_t>(run);
            else if (run <= 18)
                ++tFreq[1];
            else if (run == 19)
                ++tFreq[0], ++tFreq[1];
            else
                ++tFreq[2];
        }
        const auto tLen = codeLengths(tFreq);
        const auto tCode = canonicalCodes(tLen);
        int onlyT = 0;
        if (usedCount(tFreq, onlyT) >= 2) {
            writePtLengths(w, tLen, kTBit, 3);
        } else {
            w.put(kTBit, 0);
            w.put(kTBit, static_cast<unsigned>(onlyT));
        }
        auto putT = [&](int s) { w.put(tLen[static_cast<size_t>(s)], tCode[static_cast<size_t>(s)]); };
        w.put(kCBit, static_cast<unsigned>(n));
        for (int i = 0; i < n;) {
            const int k = cLen[static_cast<size_t>(i++)];
            if (k != 0) {
                putT(k + 2);
                continue;
            }
            int run = 1;
            while (i < n && cLen[static_cast<size_t>(i)] == 0) ++i, ++run;
            if (run <= 2) {
                for (int r = 0; r < run; ++r) putT(0);
            } else if (run <= 18) {
                putT(1);
                w.put(4, static_cast<unsigned>(run - 3));
            } else if (run == 19) {
                putT(0);
                putT(1);
                w.put(4, 15);
            } else {
                putT(2);
                w.put(kCBit, static_cast<unsigned>(run - 20));
            }
        }
    } else {
        w.put(kTBit, 0);
        w.put(kTBit, 0);
        w.put(kCBit, 0);
        w.put(kCBit, static_cast<unsigned>(onlyC));
    }

    const auto pLen = codeLengths(pFreq);
    const auto pCode = canonicalCodes(pLen);
    int onlyP = 0;
    if (usedCount(pFreq, onlyP) >= 2) {
        writePtLengths(w, pLen, kPBit, -1);
    } else {
        w.put(kPBit, 0);
        w.put(kPBit, static_cast<unsigned>(onlyP));
    }

    for (const Token& t : tokens) {
        w.put(cLen[t.c], cCode[t.c]);
        if (t.c < 256) continue;
        const int bits = bitLength(t.p);
        w.put(pLen[static_cast<size_t>(bits)], pCode[static_cast<size_t>(bits)]);
        if (bits > 1) w.put(bits - 1, t.p & ((1u << (bits - 1)) - 1));
    }
}

inline uint32_t hash3(const std::byte* p) {
    const uint32_t v =
        (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | static_cast<uint32_t>(p[2]);
    return (v * 2654435761u) >> (32 - kHashBits);
}

}  // namespace

Bytes encodeLh5(std::span<const std::byte> data) {
    Bytes out;
    if (data.empty()) return out;
    BitWriter w(out);
    const size_t size = data.size();
    const std::byte* d = data.data();
    // Chains of earlier positions with the same three bytes; -1 ends a chain.
    std::vector<int64_t> head(size_t{1} << kHashBits, -1);
    std::vector<int64_t> prev(kWindow, -1);
    auto insert = [&](size_t pos) {
        if (pos + kMinMatch > size) return;
        const uint32_t h = hash3(d + pos);
        prev[pos & (kWindow - 1)] = head[h];
        head[h] = static_cast<int64_t>(pos);
    };

    std::vector<Token> block;
    block.reserve(kBlockSymbols);
    size_t pos = 0;
    while (pos < size) {
        int bestLen = 0;
        size_t bestDist = 0;
        if (pos + kMinMatch <= size) {
            const int limit = static_cast<int>(std::min<size_t>(kMaxMatch, size - pos));
            int64_t cand = head[hash3(d + pos)];
            for (int chain = 0; cand >= 0 && chain < kMaxChain; ++chain) {
                const size_t dist = pos - static_cast<size_t>(cand);
                if (dist > kMaxDistance) break;
                const std::byte* a = d + cand;
                const std::byte* b = d + pos;
                if (a[bestLen] == b[bestLen]) {
                    int l = 0;
                    while (l < limit && a[l] == b[l]) ++l;
                    if (l > bestLen) {
                        bestLen = l;
                        bestDist = dist;
                        if (l == limit) break;
                    }
                }
                cand = prev[static_cast<size_t>(cand) & (kWindow - 1)];
            }
        }
        if (bestLen >= kMinMatch) {
            block.push_back({static_cast<uint16_t>(256 + bestLen - kMinMatch), static_cast<uint16_t>(bestDist - 1)});
            for (int i = 0; i < bestLen; ++i) insert(pos + static_cast<size_t>(i));
            pos += static_cast<size_t>(bestLen);
        } else {
            block.push_back({static_cast<uint16_t>(d[pos]), 0});
            insert(pos);
            ++pos;
        }
        if (block.size() == kBlockSymbols) {
            sendBlock(w, block);
            block.clear();
        }
    }
    if (!block.empty()) sendBlock(w, block);
    w.flush();
    return out;
}

}  // namespace rk::lha
