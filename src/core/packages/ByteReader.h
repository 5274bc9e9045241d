#pragma once
// The one way file bytes are read: a bounded little-endian reader that throws ReadError instead of
// ever stepping past the end of the bytes it was given.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/platform/Bytes.h"

namespace kinloom {

// A read past the end of the data (or to a position that does not exist).
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ByteReader {
public:
    ByteReader() = default;
    explicit ByteReader(ByteView data) : data_(data) {}

    std::size_t Size() const { return data_.size(); }
    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }
    ByteView Data() const { return data_; }

    // Moves to an absolute position; the end itself is a valid position.
    void Seek(std::size_t position);
    void Skip(std::size_t count);

    std::uint8_t U8() {
        Need(1);
        return data_[pos_++];
    }
    std::uint16_t U16() {
        Need(2);
        auto v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    std::uint32_t U32() {
        Need(4);
        std::uint32_t v = static_cast<std::uint32_t>(data_[pos_]) |
                          (static_cast<std::uint32_t>(data_[pos_ + 1]) << 8) |
                          (static_cast<std::uint32_t>(data_[pos_ + 2]) << 16) |
                          (static_cast<std::uint32_t>(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    std::int8_t I8() { return static_cast<std::int8_t>(U8()); }
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    // Big-endian 24-bit value, as compressed entries announce their size.
    std::uint32_t U24Be();

    // The next count bytes as a view into the data (no copy); advances past them.
    ByteView Take(std::size_t count) {
        Need(count);
        ByteView v = data_.subspan(pos_, count);
        pos_ += count;
        return v;
    }
    Bytes CopyBytes(std::size_t count);

    // A bounded sub-range [offset, offset + count) of the whole data, without moving.
    ByteView Slice(std::size_t offset, std::size_t count) const;

private:
    [[noreturn]] void Fail(std::size_t wanted) const;
    void Need(std::size_t count) const {
        if (count > data_.size() - pos_) Fail(count);
    }

    ByteView data_;
    std::size_t pos_ = 0;
};

// Little-endian stores into a byte buffer that is already large enough (checked; throws ReadError
// when the range does not exist, so a bad offset never writes outside the buffer).
void PutU16(std::span<std::uint8_t> out, std::size_t offset, std::uint16_t value);
void PutU32(std::span<std::uint8_t> out, std::size_t offset, std::uint32_t value);
void AppendU16(Bytes& out, std::uint16_t value);
void AppendU32(Bytes& out, std::uint32_t value);

}  // namespace kinloom
