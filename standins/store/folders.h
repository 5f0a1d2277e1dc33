// File-system helpers of the store. Paths are ANSI; whatever the system refuses becomes a code.
#pragma once

#include <string>
#include <vector>

bool IsDirectory(const std::string& path);

// The spelling on disk of the sub-folder of folder that name names (case is ignored, as the file
// system does); false when there is no such sub-folder.
bool FindSubFolder(const std::string& folder, const std::string& name, std::string& actual);

// The names of folder's sub-folders, in the order the file system enumerates them.
std::vector<std::string> SubFolders(const std::string& folder);

// The plain files in folder (no sub-folders); false when the folder cannot be listed.
bool ListFiles(const std::string& folder, std::vector<std::string>& files, bool& hasSubFolders);
