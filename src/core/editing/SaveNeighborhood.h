#pragma once
// Saving every change of the loaded neighborhood: the neighborhood package, then the character
// package of every changed sim. Every new package image is built in memory first, so a damaged
// package stops the save before anything on disk has changed; then all files are replaced as one
// transaction (AtomicFileWriter::ReplaceTogether): either every file holds its new image or every
// file is put back as it was.

#include <optional>
#include <string>
#include <vector>

#include "core/editing/LoadedNeighborhood.h"
#include "core/platform/FileIO.h"

namespace kinloom {

inline constexpr const char* kNoFamilyTiesToSave =
    "The neighborhood was not saved: its package holds no family ties, so the changed parents "
    "cannot be stored.\r\nNo file was changed; reload the neighborhood to drop the parent "
    "changes, then save again.";

struct SaveOutcome {
    bool Saved = false;
    std::optional<std::string> Failure;  // the message the caller shows
    // After a failure whose undo failed too: the files left changed and where each earlier
    // version is (the Failure text names them). Empty means no file was changed.
    std::vector<StrandedFile> Changed;
    // After a save: earlier versions that could not be deleted (hidden, ignored by the game).
    // The save still succeeded; Notice says so and the caller shows it.
    std::vector<std::filesystem::path> OldCopiesLeft;
    std::optional<std::string> Notice;
};

// Asked before a step would drop the loaded neighborhood's unsaved edits (closing the window,
// loading another neighborhood, restoring a backup over it), answered Save, Discard or Cancel:
// "The changes to N001 : Pleasantview have not been saved.\r\nDo you want to save them?"
// Whether there are any is LoadedNeighborhood::AnythingModified.
std::string UnsavedChangesQuestion(const Neighborhood& loaded);

// Saves the loaded neighborhood. On success every modified flag is cleared; on failure every
// edit stays in memory, still marked modified.
SaveOutcome SaveNeighborhood(LoadedNeighborhood& state, EditingContext& context,
                             AtomicFileWriter* writer = nullptr);

// The new image of the neighborhood package (stored plain) from the records.
PackageImage BuildNeighborhoodImage(ByteView plainPackage, const LoadedNeighborhood& state,
                                    int gameLanguage);

// The new image of a changed sim's character package (stored plain), with the body entries of
// bodySource (plain) when the sim takes another body.
PackageImage BuildCharacterImage(ByteView plainPackage, const Character& sim,
                                 const Bytes* plainBodySource, int gameLanguage,
                                 Messages& messages);

}  // namespace kinloom
