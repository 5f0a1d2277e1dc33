// The store's own rules on names: the names it gives its own files and folders, the '#' that
// joins a category's levels, and what a category may be called. None of the store's own names is
// ever a category: a new category may not take one, and neither the listing nor a lookup finds a
// folder of such a name. Builds on what the file system takes (folder_names.h).
// Portable: no windows.h, tested natively.
#pragma once

#include "text/codepage.h"

#include <string>
#include <vector>

extern const char kDescriptionFile[];   // "category.txt", a category's description
extern const char kLoginControlFile[];  // "login.ctl", an area's login control
extern const char kAreaLockFile[];      // "~vorlanx.lck", an area's write lock
extern const char kRenameSuffix[];      // ".~rename"

// What a write keeps under a temporary name until it is done: the next text of a description
// (a file), a new category before it takes its name, a deleted category until it is removed
// (folders).
enum class Temporary { Description, NewCategory, DeletedCategory };

// "~ctXXXX.tmp", "~cnXXXX.tmp" and "~cdXXXX.tmp", with number's low 16 bits as four hex digits.
std::string TemporaryName(Temporary kind, unsigned number);
constexpr size_t kTemporaryNameSize = 11;

// True for a name of that kind, in any case, with one to four hex digits (older versions wrote
// their description files with GetTempFileNameA, which does not pad them under Wine: ~ct7a3.tmp).
bool IsTemporaryName(const std::string& name, Temporary kind);

// A folder that a rename of case alone moves aside for a moment: "<name>.~rename"; base is the
// name it is given back.
bool IsRenameLeftover(const std::string& folder, std::string* base = nullptr);

// A folder that a write keeps under a name of the store's own: renamed, new or deleted.
bool IsLeftoverFolder(const std::string& folder);

// Any name the store uses for itself, compared without case.
bool IsOwnName(const std::string& name);

// What a category may be called: a name a folder can carry, without the '#' that joins levels,
// and none of the store's own. New and Edit take no other name.
bool IsCategoryName(const std::string& name, const CodePage& cp);

// "CAT#SUB" -> {"CAT", "SUB"}; the empty text names the area itself and gives no level.
std::vector<std::string> SplitCategoryPath(const std::string& category, const CodePage& cp);

// A category folder must also hold category.txt and the store's temporary files (12 and 11
// bytes after its backslash), so it can be at most 246 bytes long.
bool FitsCategoryFolder(const std::string& folder);
