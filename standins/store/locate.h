// Finding an area's or a category's folder from the device, area and category texts that the
// store's callers pass. Every text is checked before it becomes part of a path, so no argument
// can reach outside the device's storage folder.
#pragma once

#include <string>

// <device root>\userroot\storage
std::string StorageFolder(const std::string& root);

int LocateArea(const char* device, const char* area, std::string& folder);

// A category named by its levels joined with '#'. parent is the folder that holds it and name
// its spelling on disk. The empty category names no category: VORLANX_ERR_INVALID_ARGUMENT.
int LocateCategory(const char* device, const char* area, const char* category,
                   std::string& parent, std::string& name);

// The folder that category names: the area's folder for the empty text.
int LocateFolder(const char* device, const char* area, const char* category, std::string& folder);
