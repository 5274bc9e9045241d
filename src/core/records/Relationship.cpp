#include "core/records/Relationship.h"

#include <string>

#include "core/packages/Compression.h"

namespace kinloom {

std::vector<RelationshipRecord> LoadRelationships(ByteView neighborhood, const EntryList& entries,
                                                  Messages& messages) {
    std::vector<RelationshipRecord> list;
    for (const PackageIndexEntry& entry : entries) {
        if (entry.Type != types::Relationship) continue;
        Bytes content;
        if (!DecompressEntry(neighborhood, entry, content, messages)) continue;
        ByteReader in(content);
        RelationshipRecord r;
        r.SimA = static_cast<std::uint16_t>(entry.Instance >> 16);
        r.SimB = static_cast<std::uint16_t>(entry.Instance & 0xFFFF);
        // A short entry is no reason to refuse the neighborhood: it shows the values it holds
        // whole and is kept as stored.
        r.ReadOnly = content.size() < kRelationshipMinSize;
        const auto holds = [&](std::size_t offset, std::size_t width) {
            return content.size() >= offset + width;
        };
        if (holds(kRelationshipShortTerm, 4)) {
            in.Seek(kRelationshipShortTerm);
            r.ShortTerm = in.I32();
        }
        if (holds(kRelationshipBitOne, 1)) {
            in.Seek(kRelationshipBitOne);
            r.RelBitOne = in.U8();
        }
        if (holds(kRelationshipBitTwo, 1)) {
            in.Seek(kRelationshipBitTwo);
            r.RelBitTwo = in.U8();
        }
        if (holds(kRelationshipLongTerm, 4)) {
            in.Seek(kRelationshipLongTerm);
            r.LongTerm = in.I32();
        }
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

RelationshipLookup::RelationshipLookup(const std::vector<RelationshipRecord>& list) {
    first_.reserve(list.size());
    for (const RelationshipRecord& r : list)
        first_.try_emplace(static_cast<std::uint32_t>(r.SimA) << 16 | r.SimB, &r);
}

const RelationshipRecord* RelationshipLookup::Find(std::uint16_t simA, std::uint16_t simB) const {
    const auto found = first_.find(static_cast<std::uint32_t>(simA) << 16 | simB);
    return found == first_.end() ? nullptr : found->second;
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
                                  const RelationshipLookup& records) {
    const RelationshipRecord* found =
        records.Find(static_cast<std::uint16_t>(entry.Instance >> 16),
                     static_cast<std::uint16_t>(entry.Instance & 0xFFFF));
    if (found == nullptr) return EntryChoice::Drop();
    if (found->ReadOnly) return EntryChoice::Copy();
    // The patch runs while the image is built, after this returns; the record stays in its list.
    return EntryChoice::Patch(
        [found](std::span<std::uint8_t> content) { PatchRelationship(content, *found); });
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
