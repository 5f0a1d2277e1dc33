// A category's description: the bytes of category.txt in its folder, at most 255 of them.
#pragma once

#include <string>

extern const char kDescriptionFile[];  // "category.txt"

// True for a file that a description write left behind when it was cut off.
bool IsDescriptionLeftover(const std::string& file);

// Reads the description of the category in folder; a folder without category.txt has the empty
// description. Longer files are cut to 255 bytes at a character boundary.
int ReadDescription(const std::string& folder, std::string& text);

// Replaces the description as a whole: the text goes to a temporary file in the same folder,
// which then takes the place of category.txt, so a crash leaves the old text or the new one.
int WriteDescription(const std::string& folder, const std::string& text);
