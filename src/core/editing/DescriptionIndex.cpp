#include "core/editing/DescriptionIndex.h"

#include "core/packages/Compression.h"
#include "core/platform/Messages.h"
#include "core/records/SimDescription.h"

namespace kinloom {

SimDescriptionIndex::SimDescriptionIndex(ByteView neighborhood, const EntryList& entries,
                                         Messages& messages) {
    for (const PackageIndexEntry& e : entries) {
        if (e.Type != types::SimDescription) continue;
        Item item;
        item.instance = e.Instance;
        const std::size_t position = items_.size();
        try {
            if (!DecompressEntry(neighborhood, e, item.content, messages)) {
                item.content.clear();
                items_.push_back(std::move(item));
                continue;
            }
            ByteReader r(item.content);
            r.seek(4);
            item.version = r.u16();
            lastVersion_ = item.version;
            if (auto guidOffset = SimDescriptionGuidOffset(*item.version)) {
                r.seek(*guidOffset);
                FourBytes guid;
                ByteView bytes = r.bytes(4);
                std::copy(bytes.begin(), bytes.end(), guid.begin());
                firstByGuid_.try_emplace(guid, position);
            } else {
                messages.Show("Unknown Character Format");
            }
        } catch (const ReadError&) {
            if (!firstDamaged_) firstDamaged_ = position;
        }
        items_.push_back(std::move(item));
    }
}

void SimDescriptionIndex::Match(Character& sim) const {
    const auto found = firstByGuid_.find(sim.GUID);
    const std::size_t position = found == firstByGuid_.end() ? items_.size() : found->second;
    if (firstDamaged_ && *firstDamaged_ < position)
        throw ReadError("a sim description before this sim's cannot be read");
    if (found == firstByGuid_.end()) {
        sim.DescriptionInstance = kNoDescription;
        if (lastVersion_) sim.FormatVersion = *lastVersion_;
        return;
    }
    const Item& item = items_[position];
    sim.DescriptionInstance = item.instance;
    SilentMessages quiet;  // the version is known to be readable
    ReadSimDescription(item.content, sim, quiet);
}

}  // namespace kinloom
