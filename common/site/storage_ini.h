// storage.ini beside the library (or program) that links this: the store's devices and the
// site's options, which the store and the support trace of each library read.
#pragma once

#include <string>

// The folder of the module that holds this code; empty when the system cannot say.
std::string ModuleFolder();

// storage.ini in that folder.
std::string StorageIniPath();

// The text of key in section [options] of storage.ini (its comment and quotes taken off); empty
// when it is not there.
std::string ReadOption(const char* key);
