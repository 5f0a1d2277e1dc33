// The start-up messages and the product-version rule. Portable: no windows.h.
#pragma once

#include <cstdint>
#include <string>

// "Error loading resource DLL! (<file>)  Incompatible version.\nUntranslated resources will be used."
std::string IncompatibleVersionMessage(const std::string& fileName);
// The same with "Error Code <code>." in place of "Incompatible version."; the code as an unsigned
// decimal number.
std::string LoadFailureMessage(const std::string& fileName, uint32_t errorCode);

// All four parts of the product versions equal (major and minor in the high word, build and
// revision in the low word).
inline bool SameProductVersion(uint32_t ms1, uint32_t ls1, uint32_t ms2, uint32_t ls2)
{
    return ms1 == ms2 && ls1 == ls2;
}
