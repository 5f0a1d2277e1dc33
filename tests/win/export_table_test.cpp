// The binary interface of vorlanx.dll as a host and the system loader see it: four undecorated
// exports with ordinals 1 to 4 in alphabetical order, and imports of nothing but Windows system
// libraries and the two store libraries.
#include "support/fixtures/deployment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

const char* const kExports[] = {"vorlanx_browse_category", "vorlanx_edit_category",
                                "vorlanx_new_category", "vorlanx_retrieve_category"};

template <typename T>
const T* At(HMODULE module, DWORD rva)
{
    return reinterpret_cast<const T*>(reinterpret_cast<const BYTE*>(module) + rva);
}

const IMAGE_DATA_DIRECTORY& Directory(HMODULE module, int entry)
{
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    const auto* nt = At<IMAGE_NT_HEADERS>(module, dos->e_lfanew);  // of this build's size
    return nt->OptionalHeader.DataDirectory[entry];
}

class VorlanxImage : public ::testing::Test {
protected:
    Deployment deployment;
    HMODULE module = deployment.Load("vorlanx.dll");
};

TEST_F(VorlanxImage, ExportsFourFunctionsByNameAndByOrdinal)
{
    ASSERT_NE(module, nullptr);
    for (int i = 0; i < 4; ++i) {
        FARPROC byName = GetProcAddress(module, kExports[i]);
        FARPROC byOrdinal = GetProcAddress(module, MAKEINTRESOURCEA(i + 1));
        EXPECT_NE(byName, nullptr) << kExports[i];
        EXPECT_EQ(byName, byOrdinal) << kExports[i] << " is not ordinal " << i + 1;
    }
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(5)), nullptr);

    const auto& dir = Directory(module, IMAGE_DIRECTORY_ENTRY_EXPORT);
    ASSERT_NE(dir.VirtualAddress, 0u);
    const auto* exports = At<IMAGE_EXPORT_DIRECTORY>(module, dir.VirtualAddress);
    EXPECT_STREQ(At<char>(module, exports->Name), "vorlanx.dll");
    EXPECT_EQ(exports->Base, 1u);
    EXPECT_EQ(exports->NumberOfFunctions, 4u);
    ASSERT_EQ(exports->NumberOfNames, 4u);
    const DWORD* names = At<DWORD>(module, exports->AddressOfNames);
    const WORD* ordinals = At<WORD>(module, exports->AddressOfNameOrdinals);
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(At<char>(module, names[i]), kExports[i]);  // undecorated, no '_' or '@n'
        EXPECT_EQ(ordinals[i] + exports->Base, DWORD(i + 1));
    }
}

TEST_F(VorlanxImage, ImportsOnlySystemLibrariesAndTheStore)
{
    ASSERT_NE(module, nullptr);
    const std::set<std::string> allowed = {"kernel32.dll", "user32.dll", "gdi32.dll",
                                           "comctl32.dll", "advapi32.dll", "shell32.dll",
                                           "version.dll", "msvcr100.dll", "talmor.dll",
                                           "orvent.dll"};
    const auto& dir = Directory(module, IMAGE_DIRECTORY_ENTRY_IMPORT);
    ASSERT_NE(dir.VirtualAddress, 0u);
    std::set<std::string> imported;
    for (const auto* d = At<IMAGE_IMPORT_DESCRIPTOR>(module, dir.VirtualAddress); d->Name; ++d) {
        std::string name = At<char>(module, d->Name);
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        imported.insert(name);
        EXPECT_TRUE(allowed.count(name)) << "vorlanx.dll imports " << name;
    }
    EXPECT_TRUE(imported.count("talmor.dll"));
}

}  // namespace
