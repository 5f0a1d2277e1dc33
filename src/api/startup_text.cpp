#include "startup_text.h"

namespace {
const char kPrefix[] = "Error loading resource DLL! (";
const char kSuffix[] = ".\nUntranslated resources will be used.";
}  // namespace

std::string IncompatibleVersionMessage(const std::string& fileName)
{
    return kPrefix + fileName + ")  Incompatible version" + kSuffix;
}

std::string LoadFailureMessage(const std::string& fileName, uint32_t errorCode)
{
    return kPrefix + fileName + ")  Error Code " + std::to_string(errorCode) + kSuffix;
}
