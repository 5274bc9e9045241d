#include "core/packages/ByteReader.h"

namespace kinloom {

void ByteReader::Fail(std::size_t wanted) const {
    throw ReadError("read of " + std::to_string(wanted) + " byte(s) at position " +
                    std::to_string(pos_) + " runs past the end (" + std::to_string(data_.size()) +
                    " bytes)");
}

void ByteReader::Seek(std::size_t position) {
    if (position > data_.size())
        throw ReadError("position " + std::to_string(position) + " is past the end (" +
                        std::to_string(data_.size()) + " bytes)");
    pos_ = position;
}

void ByteReader::Skip(std::size_t count) {
    Need(count);
    pos_ += count;
}

std::uint32_t ByteReader::U24Be() {
    Need(3);
    std::uint32_t v = (static_cast<std::uint32_t>(data_[pos_]) << 16) |
                      (static_cast<std::uint32_t>(data_[pos_ + 1]) << 8) |
                      static_cast<std::uint32_t>(data_[pos_ + 2]);
    pos_ += 3;
    return v;
}

Bytes ByteReader::CopyBytes(std::size_t count) {
    ByteView v = Take(count);
    return Bytes(v.begin(), v.end());
}

ByteView ByteReader::Slice(std::size_t offset, std::size_t count) const {
    if (offset > data_.size() || count > data_.size() - offset)
        throw ReadError("range of " + std::to_string(count) + " byte(s) at " +
                        std::to_string(offset) + " runs past the end (" +
                        std::to_string(data_.size()) + " bytes)");
    return data_.subspan(offset, count);
}

static void CheckRange(std::span<std::uint8_t> out, std::size_t offset, std::size_t width) {
    if (offset > out.size() || width > out.size() - offset)
        throw ReadError("store of " + std::to_string(width) + " byte(s) at " +
                        std::to_string(offset) + " is outside the record (" +
                        std::to_string(out.size()) + " bytes)");
}

void PutU16(std::span<std::uint8_t> out, std::size_t offset, std::uint16_t value) {
    CheckRange(out, offset, 2);
    out[offset] = static_cast<std::uint8_t>(value);
    out[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::span<std::uint8_t> out, std::size_t offset, std::uint32_t value) {
    CheckRange(out, offset, 4);
    for (std::size_t i = 0; i < 4; ++i)
        out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void AppendU16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendU32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace kinloom
