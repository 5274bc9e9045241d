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
        item.Instance = e.Instance;
        const std::size_t position = items_.size();
        try {
            if (!DecompressEntry(neighborhood, e, item.Content, messages)) {
                item.Content.clear();
                items_.push_back(std::move(item));
                continue;
            }
            ByteReader r(item.Content);
            r.Seek(4);
            item.Version = r.U16();
            lastVersion_ = item.Version;
            if (auto guidOffset = SimDescriptionGuidOffset(*item.Version)) {
                r.Seek(*guidOffset);
                FourBytes guid;
                ByteView bytes = r.Take(4);
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
    sim.DescriptionInstance = item.Instance;
    SilentMessages quiet;  // the version is known to be readable
    ReadSimDescription(item.Content, sim, quiet);
}

}  // namespace kinloom
