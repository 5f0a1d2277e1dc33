// Renames inside a write: the one step that makes a new category, a changed name or a deletion
// visible at once. Someone who lists a folder (a browse walking the area) holds up its rename for
// a moment: such refusals are tried again within the lock's bound.
#pragma once

#include <functional>
#include <string>

// Answers until a write has done its first visible step: VORLANX_OK, or this when the lock turned
// out to be lost and nothing was done (never leaves the store).
constexpr int kLockLost = 0;

// Asked before each try of a first visible step; false when the write lost its lock.
using StillLocked = std::function<bool()>;

// Moves from to to, both in one folder. VORLANX_ERR_EXISTS when to is taken; VORLANX_ERR_BUSY
// when the move was held up all the while, VORLANX_ERR_IO when the system refused it otherwise;
// kLockLost when stillLocked (if given) said so. Nothing is moved unless VORLANX_OK.
int MoveEntry(const std::string& from, const std::string& to, const StillLocked& stillLocked = {});

// Renames the folder parent\from to parent\to. Some file systems (this Wine's among them) accept a
// change of case alone and keep the old spelling: then the folder goes through a temporary name,
// and back to its old one if the second step fails.
int RenameFolder(const std::string& parent, const std::string& from, const std::string& to,
                 const StillLocked& stillLocked = {});
