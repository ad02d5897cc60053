#include "png_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace png {
namespace {

using Bytes = std::vector<std::uint8_t>;

// ---- Deflate with the fixed Huffman codes ------------------------------------------------------

class BitWriter {
  public:
    explicit BitWriter(Bytes& out) : out_(out) {}
    // `count` bits of `bits`, least significant first.
    void put(std::uint32_t bits, int count) {
        acc_ |= static_cast<std::uint64_t>(bits) << used_;
        used_ += count;
        while (used_ >= 8) {
            out_.push_back(static_cast<std::uint8_t>(acc_));
            acc_ >>= 8;
            used_ -= 8;
        }
    }
    // A Huffman code goes most significant bit first.
    void put_code(std::uint32_t code, int length) {
        std::uint32_t reversed = 0;
        for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
        put(reversed, length);
    }
    void flush() {
        if (used_ > 0) out_.push_back(static_cast<std::uint8_t>(acc_));
        acc_ = 0;
        used_ = 0;
    }

  private:
    Bytes& out_;
    std::uint64_t acc_ = 0;
    int used_ = 0;
};

void put_literal(BitWriter& w, int symbol) {
    if (symbol < 144)
        w.put_code(0x30 + symbol, 8);
    else if (symbol < 256)
        w.put_code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        w.put_code(symbol - 256, 7);
    else
        w.put_code(0xC0 + symbol - 280, 8);
}

struct Range {
    int base;
    int extra;
};
constexpr std::array<Range, 29> kLengths = {{
    {3, 0},  {4, 0},  {5, 0},  {6, 0},   {7, 0},   {8, 0},   {9, 0},   {10, 0},  {11, 1},  {13, 1},
    {15, 1}, {17, 1}, {19, 2}, {23, 2},  {27, 2},  {31, 2},  {35, 3},  {43, 3},  {51, 3},  {59, 3},
    {67, 4}, {83, 4}, {99, 4}, {115, 4}, {131, 5}, {163, 5}, {195, 5}, {227, 5}, {258, 0},
}};
constexpr std::array<Range, 30> kDistances = {{
    {1, 0},     {2, 0},     {3, 0},     {4, 0},      {5, 1},      {7, 1},
    {9, 2},     {13, 2},    {17, 3},    {25, 3},     {33, 4},     {49, 4},
    {65, 5},    {97, 5},    {129, 6},   {193, 6},    {257, 7},    {385, 7},
    {513, 8},   {769, 8},   {1025, 9},  {1537, 9},   {2049, 10},  {3073, 10},
    {4097, 11}, {6145, 11}, {8193, 12}, {12289, 12}, {16385, 13}, {24577, 13},
}};

template <std::size_t N>
std::size_t range_of(const std::array<Range, N>& table, int value) {
    std::size_t i = N - 1;
    while (table[i].base > value) --i;
    return i;
}

void put_match(BitWriter& w, int length, int distance) {
    const std::size_t l = range_of(kLengths, length);
    put_literal(w, 257 + static_cast<int>(l));
    w.put(static_cast<std::uint32_t>(length - kLengths[l].base), kLengths[l].extra);
    const std::size_t d = range_of(kDistances, distance);
    w.put_code(static_cast<std::uint32_t>(d), 5);
    w.put(static_cast<std::uint32_t>(distance - kDistances[d].base), kDistances[d].extra);
}

constexpr int kWindow = 32768;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kHashBits = 15;
constexpr int kMaxChain = 64;

std::uint32_t hash3(const std::uint8_t* p) {
    return ((p[0] << 16 | p[1] << 8 | p[2]) * 2654435761u) >> (32 - kHashBits);
}

void deflate_fixed(const Bytes& in, Bytes& out) {
    BitWriter w(out);
    w.put(1, 1);  // the last block
    w.put(1, 2);  // compressed with the fixed codes
    const int n = static_cast<int>(in.size());
    std::vector<int> head(std::size_t{1} << kHashBits, -1);
    std::vector<int> prev(static_cast<std::size_t>(std::max(n, 1)), -1);
    const auto insert = [&](int at) {
        if (at + kMinMatch > n) return;
        const std::uint32_t h = hash3(&in[static_cast<std::size_t>(at)]);
        prev[static_cast<std::size_t>(at)] = head[h];
        head[h] = at;
    };
    int i = 0;
    while (i < n) {
        int best_len = 0, best_dist = 0;
        if (i + kMinMatch <= n) {
            const std::uint32_t h = hash3(&in[static_cast<std::size_t>(i)]);
            int candidate = head[h];
            const int limit = std::min(kMaxMatch, n - i);
            for (int chain = 0; candidate >= 0 && i - candidate <= kWindow && chain < kMaxChain;
                 ++chain) {
                int len = 0;
                while (len < limit && in[static_cast<std::size_t>(candidate + len)] ==
                                          in[static_cast<std::size_t>(i + len)])
                    ++len;
                if (len > best_len) {
                    best_len = len;
                    best_dist = i - candidate;
                    if (len == limit) break;
                }
                candidate = prev[static_cast<std::size_t>(candidate)];
            }
        }
        if (best_len >= kMinMatch) {
            put_match(w, best_len, best_dist);
            for (int k = 0; k < best_len; ++k) insert(i + k);
            i += best_len;
        } else {
            put_literal(w, in[static_cast<std::size_t>(i)]);
            insert(i);
            ++i;
        }
    }
    put_literal(w, 256);  // end of block
    w.flush();
}

std::uint32_t adler32(const Bytes& data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

// ---- PNG ----------------------------------------------------------------------------------------

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void put_u32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void put_chunk(Bytes& out, const char type[4], const Bytes& data) {
    put_u32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put_u32(out, crc32(&out[start], out.size() - start));
}

std::uint8_t paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
    return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// Each row is filtered with the filter whose output has the smallest sum of magnitudes, the
// usual heuristic for choosing among PNG's five filters.
Bytes filtered_rows(const Image& img) {
    const std::size_t stride = static_cast<std::size_t>(img.width) * 3;
    Bytes out;
    out.reserve((stride + 1) * static_cast<std::size_t>(img.height));
    Bytes candidate(stride), best(stride);
    const Bytes zero(stride, 0);
    for (int y = 0; y < img.height; ++y) {
        const std::uint8_t* row = &img.rgb[static_cast<std::size_t>(y) * stride];
        const std::uint8_t* up = y > 0 ? row - stride : zero.data();
        long best_cost = -1;
        std::uint8_t best_type = 0;
        for (std::uint8_t type = 0; type < 5; ++type) {
            long cost = 0;
            for (std::size_t i = 0; i < stride; ++i) {
                const int a = i >= 3 ? row[i - 3] : 0;
                const int b = up[i];
                const int c = i >= 3 ? up[i - 3] : 0;
                int predicted = 0;
                switch (type) {
                    case 1:
                        predicted = a;
                        break;
                    case 2:
                        predicted = b;
                        break;
                    case 3:
                        predicted = (a + b) / 2;
                        break;
                    case 4:
                        predicted = paeth(a, b, c);
                        break;
                    default:
                        break;
                }
                const auto v = static_cast<std::uint8_t>(row[i] - predicted);
                candidate[i] = v;
                cost += v < 128 ? v : 256 - v;
            }
            if (best_cost < 0 || cost < best_cost) {
                best_cost = cost;
                best_type = type;
                best.swap(candidate);
            }
        }
        out.push_back(best_type);
        out.insert(out.end(), best.begin(), best.end());
    }
    return out;
}

}  // namespace

Bytes zlib_compress(const Bytes& data) {
    Bytes out = {0x78, 0x01};  // deflate, 32 KiB window, fastest-compression level mark
    deflate_fixed(data, out);
    put_u32(out, adler32(data));
    return out;
}

Bytes encode(const Image& img) {
    if (img.width <= 0 || img.height <= 0) return {};
    const std::size_t expected =
        static_cast<std::size_t>(img.width) * static_cast<std::size_t>(img.height) * 3;
    if (img.rgb.size() != expected) return {};
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    put_u32(header, static_cast<std::uint32_t>(img.width));
    put_u32(header, static_cast<std::uint32_t>(img.height));
    header.insert(header.end(),
                  {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, standard filters, no interlace
    put_chunk(out, "IHDR", header);
    put_chunk(out, "IDAT", zlib_compress(filtered_rows(img)));
    put_chunk(out, "IEND", {});
    return out;
}

bool write_file(const std::string& path, const Image& image) {
    const Bytes bytes = encode(image);
    if (bytes.empty()) return false;
#ifdef _WIN32
    const int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(n, 1)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), n);
    std::FILE* f = _wfopen(wide.c_str(), L"wb");
#else
    std::FILE* f = std::fopen(path.c_str(), "wb");
#endif
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

}  // namespace png
