// A category's description: the bytes of category.txt in its folder, at most 255 of them.
#pragma once

#include <string>

// Reads the description of the category in folder, byte for byte as it was written; a folder
// without category.txt has the empty description. Only a file longer than 255 bytes (written by
// something else) is cut, at the last whole character within them. A folder that is gone by the
// time its file is opened (a delete or rename came first) answers VORLANX_ERR_NO_CATEGORY.
int ReadDescription(const std::string& folder, std::string& text);

// Replaces the description as a whole: the text goes to a temporary file of our own in the same
// folder, which then takes the place of category.txt, so a crash leaves the old text or the new
// one and a reader never sees half of it.
int WriteDescription(const std::string& folder, const std::string& text);
