// What an interrupted writer may leave behind, and the clean-up that the next write in the same
// folder does. Both run only inside a write, which the area's lock makes the only writer of its
// area, so whatever such a name holds is a leftover and no one else's work in progress.
#pragma once

#include <string>

// True when parent holds a folder that a rename moved aside.
bool HoldsRenamedFolders(const std::string& parent);

// Gives each folder in parent that a rename moved aside its name back, when that name is free.
void RestoreRenamedFolders(const std::string& parent);

// Deletes the temporary files of description writes in a category's folder.
void RemoveDescriptionLeftovers(const std::string& folder);
