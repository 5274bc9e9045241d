#include "Qfs.h"

#include <algorithm>

#include "core/demo/DemoQfs.h"

namespace kinloom::test {

Bytes QfsCompress(ByteView plain) {
    return DemoCompress(plain);
}

Bytes QfsStream(std::uint32_t announced, const Bytes& codes) {
    Bytes out(9 + codes.size(), 0);
    out[4] = 0x10;
    out[5] = 0xFB;
    out[6] = static_cast<std::uint8_t>(announced >> 16);
    out[7] = static_cast<std::uint8_t>(announced >> 8);
    out[8] = static_cast<std::uint8_t>(announced);
    std::copy(codes.begin(), codes.end(), out.begin() + 9);
    PutU32(out, 0, static_cast<std::uint32_t>(out.size()));
    return out;
}

}  // namespace kinloom::test
