// File-system helpers of the store. Paths are ANSI; one too long for the system is never passed
// to it (the helper answers as for a missing folder).
#pragma once

#include <string>
#include <vector>

bool IsDirectory(const std::string& path);

// The spelling on disk of the sub-folder of folder that name names (case is ignored, as the file
// system does); false when there is no such sub-folder. Rename leftovers are never found.
bool FindSubFolder(const std::string& folder, const std::string& name, std::string& actual);

// The names of folder's sub-folders, in the order the file system enumerates them, without the
// rename leftovers.
std::vector<std::string> SubFolders(const std::string& folder);

// Everything in folder, plain files and sub-folders apart (leftovers included); false when the
// folder cannot be listed.
bool ListEntries(const std::string& folder, std::vector<std::string>& files,
                 std::vector<std::string>& folders);
