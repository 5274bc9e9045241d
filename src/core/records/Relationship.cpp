#include "records/Relationship.h"

#include <string>

#include "packages/Compression.h"

namespace kinloom {

std::vector<RelationshipRecord> LoadRelationships(ByteView neighborhood, const EntryList& entries,
                                                  Messages& messages) {
    std::vector<RelationshipRecord> list;
    for (const PackageIndexEntry& entry : entries) {
        if (entry.Type != types::Relationship) continue;
        Bytes content;
        if (!DecompressEntry(neighborhood, entry, content, messages)) continue;
        if (content.size() < kRelationshipMinSize)
            throw ReadError("relationship entry " + TypeIdText(entry.Instance) + " holds only " +
                            std::to_string(content.size()) + " bytes");
        ByteReader in(content);
        RelationshipRecord r;
        r.SimA = static_cast<std::uint16_t>(entry.Instance >> 16);
        r.SimB = static_cast<std::uint16_t>(entry.Instance & 0xFFFF);
        in.seek(kRelationshipShortTerm);
        r.ShortTerm = in.i32();
        r.RelBitOne = in.u8();
        r.RelBitTwo = in.u8();
        in.seek(kRelationshipLongTerm);
        r.LongTerm = in.i32();
        list.push_back(r);
    }
    return list;
}

const RelationshipRecord* FindRelationship(const std::vector<RelationshipRecord>& list,
                                           std::uint16_t simA, std::uint16_t simB) {
    for (const RelationshipRecord& r : list)
        if (r.SimA == simA && r.SimB == simB) return &r;
    return nullptr;
}

bool PatchRelationship(std::span<std::uint8_t> content, const RelationshipRecord& record) {
    if (content.size() < kRelationshipMinSize) return false;
    PutU32(content, kRelationshipShortTerm, static_cast<std::uint32_t>(record.ShortTerm));
    content[kRelationshipBitOne] = record.RelBitOne;
    content[kRelationshipBitTwo] = record.RelBitTwo;
    PutU32(content, kRelationshipLongTerm, static_cast<std::uint32_t>(record.LongTerm));
    return true;
}

EntryChoice SaveRelationshipEntry(const PackageIndexEntry& entry,
                                  const std::vector<RelationshipRecord>& list) {
    const RelationshipRecord* found =
        FindRelationship(list, static_cast<std::uint16_t>(entry.Instance >> 16),
                         static_cast<std::uint16_t>(entry.Instance & 0xFFFF));
    if (found == nullptr) return EntryChoice::Drop();
    // The values are copied: the patch runs while the image is built, after this returns.
    return EntryChoice::Patch(
        [record = *found](std::span<std::uint8_t> content) { PatchRelationship(content, record); });
}

std::vector<RelationshipRecord*> RelationshipsOf(std::vector<RelationshipRecord>& list,
                                                 std::uint32_t descriptionInstance) {
    std::vector<RelationshipRecord*> out;
    for (RelationshipRecord& r : list)
        if (r.SimA == descriptionInstance) out.push_back(&r);
    return out;
}

RelationshipRecord* ReverseOf(std::vector<RelationshipRecord>& list,
                              const RelationshipRecord& record) {
    for (RelationshipRecord& r : list)
        if (r.SimA == record.SimB && r.SimB == record.SimA) return &r;
    return nullptr;
}

}  // namespace kinloom
