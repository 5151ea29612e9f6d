#include "framework/streaming/LzDecode.h"

#include <cstdint>
#include <cstring>

#include "framework/core/Exceptions.h"

namespace {

[[noreturn]] void Corrupt(const char* why) {
    throw EReadError(AnsiString(std::string("Compressed resource is corrupt: ") + why));
}

// Reads the bytes of a stream front to back; every read is checked against the end.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t Left() const { return m_size - m_pos; }
    std::uint8_t Byte() {
        if (m_pos == m_size)
            Corrupt("the stream ends early");
        return m_data[m_pos++];
    }
    const std::uint8_t* Take(std::size_t count) {
        if (count > Left())
            Corrupt("the stream ends inside a run of literals");
        const std::uint8_t* start = m_data + m_pos;
        m_pos += count;
        return start;
    }
    // A length whose 4-bit start is `nibble`: 15 continues with added bytes up to the first
    // one below 255. `limit` is what the length may reach at most; checked as it grows, so
    // it cannot overflow.
    std::size_t Length(unsigned nibble, std::size_t base, std::size_t limit) {
        std::size_t length = base + nibble;
        if (nibble == 15) {
            std::uint8_t more = 0;
            do {
                more = Byte();
                length += more;
                if (length > limit)
                    Corrupt("a run is longer than the decoded size");
            } while (more == 255);
        }
        if (length > limit)
            Corrupt("a run is longer than the decoded size");
        return length;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace

bool IsLzStream(const void* data, std::size_t size) {
    return data != nullptr && size >= 4 && std::memcmp(data, LzSignature, 4) == 0;
}

std::string LzDecode(const void* data, std::size_t size, std::size_t maxSize) {
    if (!IsLzStream(data, size))
        Corrupt("no signature");
    if (size < LzHeaderSize)
        Corrupt("the header is cut short");
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const std::uint32_t decoded =
        static_cast<std::uint32_t>(bytes[4]) | static_cast<std::uint32_t>(bytes[5]) << 8 |
        static_cast<std::uint32_t>(bytes[6]) << 16 | static_cast<std::uint32_t>(bytes[7]) << 24;
    if (decoded > maxSize)
        Corrupt("the decoded size is too large");

    Input in(bytes + LzHeaderSize, size - LzHeaderSize);
    std::string out;
    // A byte of input yields at most 255 bytes of output, so a short stream that claims a
    // huge size does not get a huge buffer before it fails.
    const std::size_t plausible = in.Left() > (decoded >> 8) ? decoded : in.Left() << 8;
    out.reserve(plausible);
    while (out.size() < decoded) {
        const std::uint8_t token = in.Byte();
        const std::size_t literals = in.Length(token >> 4, 0, decoded - out.size());
        out.append(reinterpret_cast<const char*>(in.Take(literals)), literals);
        if (out.size() == decoded) {
            if ((token & 15) != 0)
                Corrupt("a copy follows the end of the output");
            break;
        }
        const std::size_t distance = in.Byte() | static_cast<std::size_t>(in.Byte()) << 8;
        if (distance == 0 || distance > out.size())
            Corrupt("a copy reaches back before the start");
        const std::size_t length = in.Length(token & 15, 4, decoded - out.size());
        // Byte by byte: a copy may overlap the bytes it produces (a run of one repeated byte
        // is a copy from distance 1).
        const std::size_t start = out.size();
        out.resize(start + length);
        char* const base = &out[0];
        for (std::size_t i = 0; i < length; ++i)
            base[start + i] = base[start - distance + i];
    }
    if (in.Left() != 0)
        Corrupt("bytes follow the end of the stream");
    return out;
}
