#include "core/neighborhoods/NeighborhoodScan.h"

#include <algorithm>
#include <system_error>

#include "core/packages/Compression.h"
#include "core/packages/Package.h"
#include "core/packages/PropertySet.h"
#include "core/packages/TextList.h"
#include "core/packages/Utf8.h"
#include "core/platform/FileIO.h"
#include "core/platform/GameRegistry.h"
#include "core/platform/Messages.h"
#include "core/platform/Paths.h"

namespace kinloom {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kFolderNameLength = 8;
constexpr std::size_t kVersionLength = 36;

// Collects what a scan would show, so the window or the terminal shows it afterwards.
class CollectedMessages final : public Messages {
public:
    explicit CollectedMessages(std::vector<std::string>& into) : into_(into) {}
    void Show(const std::string& text) override { into_.push_back(text); }
    bool AskOkCancel(const std::string& text, DefaultAnswer = DefaultAnswer::No) override {
        into_.push_back(text);
        return false;
    }
    bool AskYesNo(const std::string& text, DefaultAnswer = DefaultAnswer::No) override {
        into_.push_back(text);
        return false;
    }
    UnsavedAnswer AskSaveDiscardCancel(const std::string& text) override {
        into_.push_back(text);
        return UnsavedAnswer::Cancel;
    }

private:
    std::vector<std::string>& into_;
};

}  // namespace

std::u16string NeighborhoodDisplayText(const Neighborhood& neighborhood) {
    std::u16string text = DecodeUtf8(TrimBytes(neighborhood.FolderName));
    text += u" : ";
    text += DecodeUtf8(neighborhood.NGBDName);
    return text;
}

std::string NeighborhoodIndexErrorText(const std::string& folderName) {
    return "An Index Error was found in " + folderName + "_Neighborhood.package" + "\r\n" +
           "This neighborhood will be ignored.";
}

std::string NeighborhoodDataErrorText(const std::string& folderName) {
    return "An Data Error was found in " + folderName + "_Neighborhood.package" + "\r\n" +
           "This neighborhood will be ignored.";
}

std::optional<Neighborhood> ScanNeighborhoodPackage(const std::string& folderName,
                                                    const fs::path& packagePath, int gameLanguage,
                                                    Messages& messages) {
    Package package;
    try {
        package = Package::Open(packagePath);
    } catch (const ReadError&) {
        // An index that runs past the end of the file is as unusable as an empty one.
        messages.Show(NeighborhoodIndexErrorText(folderName));
        return std::nullopt;
    }
    if (package.EntrySize == 0) {
        messages.Show(NeighborhoodIndexErrorText(folderName));
        return std::nullopt;
    }

    // The folder and its package are known from the folder itself, whether or not the package
    // holds a text list, so every listed neighborhood can be loaded and backed up.
    Neighborhood record;
    record.FolderName = folderName.substr(0, kFolderNameLength);
    record.PackagePath = packagePath;
    try {
        for (const PackageIndexEntry& entry : package.Entries) {
            if (entry.Type != types::Version && entry.Type != types::TextList) continue;
            Bytes content;
            if (!DecompressEntry(package.View(), entry, content, messages)) {
                messages.Show(NeighborhoodDataErrorText(folderName));
                return std::nullopt;
            }
            if (entry.Type == types::Version) {
                record.NGBDVersion = VersionText(content).substr(0, kVersionLength);
            } else if (auto strings = ReadTextList(content, 2, gameLanguage)) {
                record.NGBDName = strings->size() > 0 ? (*strings)[0] : std::string();
                record.NGBDDescription = strings->size() > 1 ? (*strings)[1] : std::string();
            }
        }
    } catch (const ReadError&) {
        messages.Show(NeighborhoodDataErrorText(folderName));
        return std::nullopt;
    }
    return record;
}

NeighborhoodScan ScanNeighborhoods(const fs::path& neighborhoodsFolder, int gameLanguage) {
    NeighborhoodScan scan;
    std::error_code ec;
    if (!fs::is_directory(neighborhoodsFolder, ec)) return scan;  // nothing there: no neighborhoods

    std::vector<std::string> names;
    for (fs::directory_iterator it(neighborhoodsFolder, ec), end; !ec && it != end;
         it.increment(ec)) {
        names.push_back(Utf8Name(it->path()));
    }
    if (ec) {
        scan.Termination = kNeighborhoodAccessFailure;
        return scan;
    }
    // The game's own file system lists names in order; keep that on every file system.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = LowerAscii(a), lb = LowerAscii(b);
        return la != lb ? la < lb : a < b;
    });

    CollectedMessages messages(scan.Messages);
    for (char first : {'n', 'g', 'f'}) {
        for (const std::string& name : names) {
            if (name.empty() || LowerAscii(name.substr(0, 1))[0] != first) continue;
            const fs::path folder = neighborhoodsFolder / PathFromUtf8(name);
            const fs::path package = ChildIgnoringCase(folder, name + "_Neighborhood.package");
            if (!fs::is_regular_file(package, ec)) continue;
            try {
                if (auto record = ScanNeighborhoodPackage(name, package, gameLanguage, messages))
                    scan.Neighborhoods.push_back(std::move(*record));
            } catch (const FileError&) {
                scan.Termination = kNeighborhoodAccessFailure;
                return scan;
            }
        }
    }
    return scan;
}

}  // namespace kinloom
