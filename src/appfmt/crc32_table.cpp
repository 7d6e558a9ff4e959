// Table-driven CRC-32, sixteen bytes per step ("slice-by-16"): the portable
// engine, and the tail handler of the folding engines.
#include "appfmt/crc32_engines.h"

#include <array>

namespace qor::appfmt {

namespace {

using crc_tables = std::array<std::array<uint32_t, 256>, 16>;

// tables[0] is the classic byte table; tables[k][b] is the effect of byte b
// followed by k zero bytes, which lets sixteen lookups run independently.
constexpr crc_tables make_tables() {
    crc_tables tables{};
    for (uint32_t byte = 0; byte < 256; ++byte) {
        uint32_t crc = byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ ((crc & 1u) ? kCrc32Polynomial : 0u);
        tables[0][byte] = crc;
    }
    for (size_t k = 1; k < tables.size(); ++k)
        for (size_t byte = 0; byte < 256; ++byte) {
            const uint32_t prev = tables[k - 1][byte];
            tables[k][byte] = (prev >> 8) ^ tables[0][prev & 0xFFu];
        }
    return tables;
}

constexpr crc_tables kTables = make_tables();
static_assert(kTables[0][1] == 0x77073096u, "standard CRC-32 table");

inline uint32_t load_le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline uint32_t lookup_word(uint32_t word, int table) {
    return kTables[table][word & 0xFFu] ^ kTables[table - 1][(word >> 8) & 0xFFu] ^
           kTables[table - 2][(word >> 16) & 0xFFu] ^ kTables[table - 3][word >> 24];
}

} // namespace

uint32_t crc32_state_slice_by_16(uint32_t state, const uint8_t* data, size_t size) {
    while (size >= 16) {
        state = lookup_word(load_le32(data) ^ state, 15) ^ lookup_word(load_le32(data + 4), 11) ^
                lookup_word(load_le32(data + 8), 7) ^ lookup_word(load_le32(data + 12), 3);
        data += 16;
        size -= 16;
    }
    while (size-- > 0)
        state = (state >> 8) ^ kTables[0][(state ^ *data++) & 0xFFu];
    return state;
}

} // namespace qor::appfmt
