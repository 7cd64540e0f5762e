#pragma once

#include <QByteArray>

#include <cstdint>

namespace quelvara::tools {

// Appends little-endian fields to a byte array, as the Windows image headers
// store them.
class ByteWriter final {
public:
    void u8(std::uint8_t value) { m_bytes.append(static_cast<char>(value)); }
    void u16(std::uint16_t value)
    {
        u8(static_cast<std::uint8_t>(value));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value)
    {
        u16(static_cast<std::uint16_t>(value));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void zeros(qsizetype count) { m_bytes.append(count, '\0'); }
    void bytes(const QByteArray& data) { m_bytes.append(data); }

    qsizetype size() const { return m_bytes.size(); }
    const QByteArray& result() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Bytes in one stored row of a bitmap: whole bytes, padded to four.
constexpr int strideOf(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

} // namespace quelvara::tools
