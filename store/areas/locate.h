// Finding an area's or a category's folder from the device, area and category texts that the
// store's callers pass. Every text is checked before it becomes part of a path, so no argument
// can reach outside the device's storage folder.
#pragma once

#include <string>
#include <vector>

// <device root>\userroot\storage
std::string StorageFolder(const std::string& root);

// The code of a folder that could not be read: 2013 when a check finds its server unreachable,
// else 2007. "Not there" (2004, 2005) is only ever said of a folder that was read.
int UnreadableCode(const std::string& path);

int LocateArea(const char* device, const char* area, std::string& folder);
// LocateArea that inside a cached pass finds the area among the storage folder's sub-folders
// that the pass read (see listed_areas.h). For reads only: a write finds its area on disk.
int LocateListedArea(const char* device, const char* area, std::string& folder);

// The sub-folder of parent that one category level names; actual is its spelling on disk. A
// path that would not fit the system's calls is refused before it reaches them.
int LocateLevel(const std::string& parent, const std::string& level, std::string& actual);

// Walks levels down from an area's folder; folder is the last level's folder (the area's for none).
int LocateLevels(const std::string& area, const std::vector<std::string>& levels,
                 std::string& folder);

// A category named by its levels joined with '#'. parent is the folder that holds it and name
// its spelling on disk. The empty category names no category: VORLANX_ERR_INVALID_ARGUMENT.
int LocateCategory(const char* device, const char* area, const char* category,
                   std::string& parent, std::string& name);
