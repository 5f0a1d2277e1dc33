// The two messages of the sub-folder commands in a language: the name rule's (a name with a
// space) and "already exists" (the store refuses the next name), shown in-process with the
// resources of lang/<tag> and read back from their message boxes.
#pragma once

#include <string>
#include <vector>

struct LanguageMessages {
    std::vector<std::wstring> shown;  // as the boxes show them
    std::vector<std::wstring> held;   // the resource library's texts of the same two
};

LanguageMessages SubFolderMessagesIn(const std::string& tag);
