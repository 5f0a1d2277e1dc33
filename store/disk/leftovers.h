// What an interrupted writer may leave behind, and the clean-up that the next write in the same
// folder does. Both run only inside a write, which the area's lock makes the only writer of its
// area, so whatever such a name holds is a leftover and no one else's work in progress.
#pragma once

#include <string>

// True when parent holds a folder that a rename moved aside.
bool HoldsRenamedFolders(const std::string& parent);

// Tidies parent before a write there: each folder a rename moved aside gets its name back when
// that name is free; the folders of a new category that never took its name and of a deleted
// category not yet removed are removed.
void TidyFolder(const std::string& parent);

// Removes a folder of the store's own (a new or deleted category): its description and the
// temporary files of description writes, then the folder. A folder that holds anything else is
// left as it is, whole: nothing but the store's own files is ever removed, and nothing at all
// from a folder that someone else has put files in.
bool RemoveOwnFolder(const std::string& folder);

// Deletes the temporary files of description writes in a category's folder.
void RemoveDescriptionLeftovers(const std::string& folder);

// What that tidying does with the leftover name in parent (a folder or a file; inCategory: parent
// is a category's folder, not the area's), as it stands now.
enum class LeftoverFate {
    tidied,       // removed, or given its name back
    holdsOthers,  // a new or deleted category's folder with more in it than the store's own files
    nameTaken,    // moved aside by a rename; its name is taken, or no category's
    neverTidied,  // no write leaves such a name there, so none tidies it
};
LeftoverFate FateOfLeftover(const std::string& parent, const std::string& name, bool folder,
                            bool inCategory);
