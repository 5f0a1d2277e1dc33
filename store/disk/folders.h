// File-system helpers of the store. Paths are ANSI; one too long for the system is never passed
// to it (the helper answers as for a missing folder).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

bool IsDirectory(const std::string& path);

// What a look for a sub-folder found: it; not it (the system looked and there is no such
// sub-folder, or the folder itself is gone); or nothing certain (the look failed otherwise, as
// on a server that fails part way).
enum class Found { yes, no, unreadable };

// The spelling on disk of the sub-folder of folder that name names (case is ignored, as the file
// system does). The store's leftover folders are never found.
Found FindSubFolder(const std::string& folder, const std::string& name, std::string& actual);

// Everything in folder, plain files and sub-folders apart (leftovers included); false when the
// folder cannot be listed. An entry whose name the host's code page cannot write exactly comes
// as the empty text: it is there, but matches no name.
bool ListEntries(const std::string& folder, std::vector<std::string>& files,
                 std::vector<std::string>& folders);

// The number of the next temporary name: counting on from a start that differs between
// processes and loads, so writers of several processes seldom try the same name.
unsigned NextTemporaryNumber();

// What tells a folder from every other, whatever path or link reaches it: the volume's serial
// number and the folder's index on it.
struct CFolderId {
    uint32_t m_nVolume = 0;
    uint64_t m_nIndex = 0;
    bool operator<(const CFolderId& other) const
    {
        if (m_nVolume != other.m_nVolume)
            return m_nVolume < other.m_nVolume;
        return m_nIndex < other.m_nIndex;
    }
};

// False when the folder cannot be opened.
bool GetFolderId(const std::string& folder, CFolderId& id);

// One entry of a folder as one directory read gives it: the identity that opening it reaches
// (a link's target's), on the folder's own volume.
struct CFolderEntry {
    std::string m_strName;
    bool m_bFolder = false;
    bool m_bLink = false;  // a link or junction: a reparse point
    uint64_t m_nIndex = 0;
    uint64_t m_nSize = 0;
    uint64_t m_nWriteTime = 0;  // in 100 ns since 1601, as FILETIME
    std::wstring m_strWide;     // only for an entry left out: its name on the file system
};

// Everything in folder but . and .., in the order the file system enumerates it, from one
// directory read: names, attributes and identities come with it, no open per entry. self, when
// given, gets the folder's own identity (its volume's serial is every entry's); false when the
// folder cannot be listed, or self is asked for and cannot be had. An entry whose name the
// host's code page cannot write exactly is left out; unwritable, when given, gets those, each
// named as EscapedName shows it (a name to show, not to use).
bool ReadFolder(const std::string& folder, std::vector<CFolderEntry>& entries,
                CFolderId* self = nullptr, std::vector<CFolderEntry>* unwritable = nullptr);

// FindSubFolder for a sub-folder that lives there. Categories are such folders: the listing
// neither shows nor follows a link, so no call reaches through one (a delete would remove the
// folder it points to).
Found FindOwnSubFolder(const std::string& folder, const std::string& name, std::string& actual);

// Found for a failed look at a path by its error: "no" only for a name or path the system looked
// for and did not find.
Found FoundByError(unsigned long error);
