#include "core/records/FamilyTies.h"

#include <algorithm>
#include <string>

namespace kinloom {

namespace {

constexpr std::size_t kOwnerHeaderSize = 10;  // owner number, a word written as 1, tie count
constexpr std::size_t kTieSize = 6;           // kind, relative

[[noreturn]] void TooMany(const char* what, std::size_t count, std::size_t remaining) {
    throw ReadError(std::string("family ties announce ") + std::to_string(count) + " " + what +
                    " with " + std::to_string(remaining) + " bytes left");
}

}  // namespace

void ReadFamilyTies(ByteView content, std::vector<FamilyTie>& ties) {
    ByteReader in(content);
    in.Skip(4);
    const std::size_t owners = in.U32();
    if (owners > in.Remaining() / kOwnerHeaderSize) TooMany("owners", owners, in.Remaining());
    std::vector<FamilyTie> read;
    for (std::size_t o = 0; o < owners; ++o) {
        const std::uint16_t owner = in.U16();
        in.Skip(4);
        const std::size_t count = in.U32();
        if (count > in.Remaining() / kTieSize) TooMany("ties", count, in.Remaining());
        for (std::size_t t = 0; t < count; ++t) {
            FamilyTie tie;
            tie.Owner = owner;
            tie.Kind = in.U32();
            tie.Relative = in.U16();
            read.push_back(tie);
        }
    }
    ties.insert(ties.end(), read.begin(), read.end());
}

Bytes WriteFamilyTies(const std::vector<FamilyTie>& ties) {
    std::vector<std::uint16_t> owners;  // in order of first appearance
    for (const FamilyTie& t : ties)
        if (std::find(owners.begin(), owners.end(), t.Owner) == owners.end())
            owners.push_back(t.Owner);

    Bytes out;
    out.reserve(8 + owners.size() * kOwnerHeaderSize + ties.size() * kTieSize);
    AppendU32(out, 1);
    AppendU32(out, static_cast<std::uint32_t>(owners.size()));
    for (std::uint16_t owner : owners) {
        std::uint32_t count = 0;
        for (const FamilyTie& t : ties) count += t.Owner == owner ? 1u : 0u;
        AppendU16(out, owner);
        AppendU32(out, 1);
        AppendU32(out, count);
        for (const FamilyTie& t : ties) {
            if (t.Owner != owner) continue;
            AppendU32(out, t.Kind);
            AppendU16(out, t.Relative);
        }
    }
    return out;
}

}  // namespace kinloom
