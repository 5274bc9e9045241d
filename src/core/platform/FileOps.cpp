#include "core/platform/FileOps.h"

#include <string>
#include <system_error>
#include <vector>

namespace kinloom {
namespace fs = std::filesystem;

fs::path FreeName(const fs::path& folder, const fs::path& name) {
    std::error_code ec;
    fs::path candidate = folder / name;
    if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
    // A folder's whole name is kept before the number; a file keeps its extension last.
    bool isFolder = fs::is_directory(candidate, ec);
    std::string stem = isFolder ? name.string() : name.stem().string();
    std::string extension = isFolder ? std::string() : name.extension().string();
    for (unsigned n = 2;; ++n) {
        candidate = folder / (stem + " (" + std::to_string(n) + ")" + extension);
        if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
    }
}

bool FileOps::Rename(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) return false;
    fs::rename(from, to, ec);
    return !ec;
}

bool FilesystemFileOps::Rename(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) return false;
    return RenameItem(from, to);
}

bool FilesystemFileOps::CopyOneFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    return fs::copy_file(from, to, fs::copy_options::none, ec) && !ec;
}

bool FilesystemFileOps::RenameItem(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

bool FilesystemFileOps::CopyTree(const fs::path& from, const fs::path& to,
                                 const std::function<void()>& fileCopied) {
    std::error_code ec;
    fs::file_status status = fs::symlink_status(from, ec);
    if (ec) return false;
    if (fs::is_symlink(status) || fs::is_regular_file(status)) {
        bool copied;
        if (fs::is_symlink(status)) {
            fs::copy_symlink(from, to, ec);
            copied = !ec;
        } else {
            copied = CopyOneFile(from, to);
        }
        if (copied && fileCopied) fileCopied();
        return copied;
    }
    if (!fs::is_directory(status)) return false;
    if (!fs::create_directory(to, ec) || ec) return false;
    std::vector<fs::path> children;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec))
        children.push_back(it->path());
    if (ec) return false;
    bool ok = true;
    for (const fs::path& child : children)
        ok = CopyTree(child, to / child.filename(), fileCopied) && ok;
    return ok;
}

bool FilesystemFileOps::CopyContents(const fs::path& from, const fs::path& to) {
    return CopyContentsCounting(from, to, {});
}

bool FilesystemFileOps::CopyContentsCounting(const fs::path& from, const fs::path& to,
                                             const std::function<void()>& fileCopied) {
    std::error_code ec;
    if (!fs::is_directory(from, ec)) return false;
    fs::create_directories(to, ec);
    if (ec || !fs::is_directory(to, ec)) return false;
    std::vector<fs::path> items;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec))
        items.push_back(it->path());
    if (ec) return false;
    bool ok = true;
    for (const fs::path& item : items)
        ok = CopyTree(item, FreeName(to, item.filename()), fileCopied) && ok;
    return ok;
}

bool FilesystemFileOps::MoveContents(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (!fs::is_directory(from, ec)) return false;
    fs::create_directories(to, ec);
    if (ec || !fs::is_directory(to, ec)) return false;
    std::vector<fs::path> items;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec))
        items.push_back(it->path());
    if (ec) return false;
    bool ok = true;
    for (const fs::path& item : items) {
        fs::path target = FreeName(to, item.filename());
        if (RenameItem(item, target)) continue;
        // Another file system: copy, and remove the original only once the copy is complete.
        if (CopyTree(item, target, {})) {
            fs::remove_all(item, ec);
            if (ec) ok = false;
        } else {
            fs::remove_all(target, ec);
            ok = false;
        }
    }
    return ok;
}

bool FilesystemFileOps::DeletePermanently(const fs::path& item) {
    std::error_code ec;
    fs::remove_all(item, ec);
    return !ec && !fs::exists(fs::symlink_status(item, ec));
}

}  // namespace kinloom
