#pragma once
// Whole folder trees copied, moved and deleted without asking: what backups and sim deletion do
// with the user's files. Every operation says whether it succeeded; the caller words the failure.

#include <filesystem>
#include <functional>

namespace kinloom {

class FileOps {
public:
    virtual ~FileOps() = default;
    // Copies every file and subfolder of from into to, creating to when missing. An item whose
    // name is already taken in to is given a free name ("name (2).ext") instead of overwriting.
    virtual bool CopyContents(const std::filesystem::path& from,
                              const std::filesystem::path& to) = 0;
    // As CopyContents, but moves the items; from is left empty.
    virtual bool MoveContents(const std::filesystem::path& from,
                              const std::filesystem::path& to) = 0;
    // Moves a file or folder to the desktop's trash, from where the user can get it back.
    virtual bool DeleteToTrash(const std::filesystem::path& item) = 0;
    // Deletes a file or a whole folder for good. True when the item is gone afterwards.
    virtual bool DeletePermanently(const std::filesystem::path& item) = 0;

    // As CopyContents, calling fileCopied after each file so a long copy can show how far it has
    // come; without a way to count, the copy is simply made.
    virtual bool CopyContentsCounting(const std::filesystem::path& from,
                                      const std::filesystem::path& to,
                                      const std::function<void()>& fileCopied) {
        (void)fileCopied;
        return CopyContents(from, to);
    }
    // Gives an item the name to in the same file system, in one step: how a finished copy takes its
    // place. False when to is already taken (nothing is overwritten) or the rename fails.
    virtual bool Rename(const std::filesystem::path& from, const std::filesystem::path& to);
};

// Everything but the trash, with std::filesystem; the trash belongs to the desktop and is added by
// the window's own subclass.
class FilesystemFileOps : public FileOps {
public:
    bool CopyContents(const std::filesystem::path& from, const std::filesystem::path& to) override;
    bool MoveContents(const std::filesystem::path& from, const std::filesystem::path& to) override;
    bool DeletePermanently(const std::filesystem::path& item) override;
    bool CopyContentsCounting(const std::filesystem::path& from, const std::filesystem::path& to,
                              const std::function<void()>& fileCopied) override;
    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;

protected:
    // One regular file copied to a target that does not exist yet; tests make it fail.
    virtual bool CopyOneFile(const std::filesystem::path& from, const std::filesystem::path& to);
    // One item renamed within the same file system; false when it cannot be (the item is then
    // copied and the original removed).
    virtual bool RenameItem(const std::filesystem::path& from, const std::filesystem::path& to);

private:
    bool CopyTree(const std::filesystem::path& from, const std::filesystem::path& to,
                  const std::function<void()>& fileCopied);
};

// A name in folder for name that nothing there uses yet: name itself, else "stem (2).ext",
// "stem (3).ext" and so on.
std::filesystem::path FreeName(const std::filesystem::path& folder,
                               const std::filesystem::path& name);

}  // namespace kinloom
