// The category exports of vorlanx.dll against our store on a temporary folder tree: what a host
// sees through the exports, and what lands on disk.
#include "support/fixtures/deployment.h"
#include "support/fixtures/unix_side.h"

#include "external/category_data.h"
#include "vorlanx.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using DeleteFn = int(__cdecl*)(const char*, const char*, const char*);
using Names = std::vector<std::string>;

class CategoryExports : public ::testing::Test, protected VorlanxExports {
protected:
    void SetUp() override
    {
        root = deployment.MakeDevice("1");
        storage = root + "\\userroot\\storage";
        deployment.WriteStorageIni({{"1", root}});
        MakeArea(storage, "AREA1", "open");
        ASSERT_TRUE(Bind(deployment.Load("vorlanx.dll")));
        remove = Proc<DeleteFn>(deployment.Load("talmor.dll"), "talmor_DeleteCategory");
    }

    std::string Folder(const std::string& relative) const { return storage + "\\AREA1\\" + relative; }
    std::string Description(const std::string& relative) const
    {
        return ReadTextFile(Folder(relative) + "\\category.txt");
    }

    Deployment deployment;
    std::string root, storage;
    DeleteFn remove = nullptr;
    char name[VORLANX_NAME_SIZE] = {};
    char description[VORLANX_DESCRIPTION_SIZE] = {};
};

TEST_F(CategoryExports, RoundTripThroughTheStoreOnDisk)
{
    ASSERT_EQ(create(nullptr, "1", "AREA1", "", "CAT", "first words"), VORLANX_OK);
    EXPECT_TRUE(Exists(Folder("CAT")));
    EXPECT_EQ(Description("CAT"), "first words");

    ASSERT_EQ(retrieve(nullptr, "1", "AREA1", "CAT", name, description), VORLANX_OK);
    EXPECT_STREQ(name, "CAT");
    EXPECT_STREQ(description, "first words");

    // A new description under the same name.
    ASSERT_EQ(edit(nullptr, "1", "AREA1", "CAT", "CAT", "second words"), VORLANX_OK);
    EXPECT_EQ(Description("CAT"), "second words");

    // A sub-category, named by its levels joined with '#'.
    ASSERT_EQ(create(nullptr, "1", "AREA1", "CAT", "SUB", "below"), VORLANX_OK);
    EXPECT_EQ(Description("CAT\\SUB"), "below");
    ASSERT_EQ(retrieve(nullptr, "1", "AREA1", "CAT#SUB", name, description), VORLANX_OK);
    EXPECT_STREQ(name, "SUB");

    // A rename moves the folder with everything in it; a rename of case alone is a rename too.
    ASSERT_EQ(edit(nullptr, "1", "AREA1", "CAT", "RENAMED", "third words"), VORLANX_OK);
    EXPECT_FALSE(Exists(Folder("CAT")));
    EXPECT_EQ(Description("RENAMED"), "third words");
    EXPECT_EQ(Description("RENAMED\\SUB"), "below");
    ASSERT_EQ(edit(nullptr, "1", "AREA1", "RENAMED", "renamed", "third words"), VORLANX_OK);
    EXPECT_EQ(FolderEntries(storage + "\\AREA1"), (std::vector<std::string>{"login.ctl", "renamed"}));
    ASSERT_EQ(retrieve(nullptr, "1", "AREA1", "RENAMED", name, description), VORLANX_OK);
    EXPECT_STREQ(name, "renamed");  // the spelling on disk

    // Device names as hosts write them.
    EXPECT_EQ(retrieve(nullptr, "1:", "area1", "renamed#sub", name, description), VORLANX_OK);
    EXPECT_STREQ(name, "SUB");
    // No temporary file of the description writes is left anywhere.
    EXPECT_EQ(FolderEntries(Folder("renamed")), (std::vector<std::string>{"SUB", "category.txt"}));
}

TEST_F(CategoryExports, ATakenNameIsRefusedWith1006AndNothingChanges)
{
    ASSERT_EQ(create(nullptr, "1", "AREA1", "", "ONE", "one"), VORLANX_OK);
    ASSERT_EQ(create(nullptr, "1", "AREA1", "", "TWO", "two"), VORLANX_OK);
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", "ONE", "again"), VORLANX_ERR_EXISTS);
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", "one", "again"), VORLANX_ERR_EXISTS);
    EXPECT_EQ(edit(nullptr, "1", "AREA1", "TWO", "ONE", "changed"), VORLANX_ERR_EXISTS);
    EXPECT_EQ(edit(nullptr, "1", "AREA1", "TWO", "one", "changed"), VORLANX_ERR_EXISTS);
    EXPECT_EQ(Description("ONE"), "one");
    EXPECT_EQ(Description("TWO"), "two");
}

// CAT and cat side by side: neither is renamed onto the other, and nothing is left half-way.
TEST_F(CategoryExports, ANameTakenWithoutCaseOnACaseSensitiveDiskIsRefused)
{
    ASSERT_EQ(create(nullptr, "1", "AREA1", "", "CAT", "upper"), VORLANX_OK);
    ASSERT_TRUE(MakeUnixFolder(storage + "\\AREA1", "cat"));
    ASSERT_EQ(FolderEntries(storage + "\\AREA1"), (Names{"CAT", "cat", "login.ctl"}));
    EXPECT_EQ(edit(nullptr, "1", "AREA1", "CAT", "cAt", "changed"), VORLANX_ERR_EXISTS);
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", "Cat", ""), VORLANX_ERR_EXISTS);
    EXPECT_EQ(FolderEntries(storage + "\\AREA1"), (Names{"CAT", "cat", "login.ctl"}));
    EXPECT_EQ(Description("CAT"), "upper");
}

// The description cannot replace category.txt while someone holds it: the rename that came
// first is undone, for a change of case alone too.
TEST_F(CategoryExports, ARenameThatFailsPartWayIsRolledBack)
{
    ASSERT_EQ(create(nullptr, "1", "AREA1", "", "CAT", "old words"), VORLANX_OK);
    const std::string held = Folder("CAT\\category.txt");
    const HANDLE file = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(edit(nullptr, "1", "AREA1", "CAT", "OTHER", "new words"), VORLANX_ERR_IO);
    EXPECT_EQ(edit(nullptr, "1", "AREA1", "CAT", "Cat", "new words"), VORLANX_ERR_IO);
    CloseHandle(file);
    EXPECT_EQ(FolderEntries(storage + "\\AREA1"), (Names{"CAT", "login.ctl"}));
    EXPECT_EQ(FolderEntries(Folder("CAT")), Names{"category.txt"});
    EXPECT_EQ(Description("CAT"), "old words");
}

// A category folder must fit CreateDirectoryA and still hold category.txt and the store's
// temporary files within MAX_PATH: 246 bytes at most. Longer is refused before anything is made.
TEST_F(CategoryExports, PathsThatDoNotFitAreRefusedBeforeAnythingIsMade)
{
    std::string folder = storage + "\\AREA1", category;
    for (char c = 'a'; 245 - folder.size() > 48; ++c) {
        const std::string level(40, c);
        ASSERT_EQ(create(nullptr, "1", "AREA1", category.c_str(), level.c_str(), ""), VORLANX_OK);
        category += (category.empty() ? "" : "#") + level;
        folder += "\\" + level;
    }
    const size_t fits = 245 - folder.size();
    for (size_t n = fits + 1; n <= 49; ++n)
        EXPECT_EQ(create(nullptr, "1", "AREA1", category.c_str(), std::string(n, 'x').c_str(), "d"),
                  VORLANX_ERR_PATH_TOO_LONG)
            << folder.size() + 1 + n;
    EXPECT_EQ(FolderEntries(folder), Names{"category.txt"});

    const std::string longest = category + "#" + std::string(fits, 'x');
    ASSERT_EQ(create(nullptr, "1", "AREA1", category.c_str(), std::string(fits, 'x').c_str(), "d"),
              VORLANX_OK);
    EXPECT_EQ(edit(nullptr, "1", "AREA1", longest.c_str(), std::string(fits, 'x').c_str(), "e"),
              VORLANX_OK);
    EXPECT_EQ(edit(nullptr, "1", "AREA1", longest.c_str(), std::string(fits + 1, 'x').c_str(), "e"),
              VORLANX_ERR_PATH_TOO_LONG);
    ASSERT_EQ(retrieve(nullptr, "1", "AREA1", longest.c_str(), name, description), VORLANX_OK);
    EXPECT_STREQ(description, "e");

    // Folders that others made longer: a code, never a crash, and the listing walks past them.
    const std::string byHand = std::string(fits + 4, 'h');
    MakeFolders(folder + "\\" + byHand + "\\" + std::string(254 - folder.size() - fits, 'i'));
    const std::string tooLong = category + "#" + byHand;
    EXPECT_EQ(retrieve(nullptr, "1", "AREA1", tooLong.c_str(), name, description),
              VORLANX_ERR_PATH_TOO_LONG);
    EXPECT_EQ(edit(nullptr, "1", "AREA1", tooLong.c_str(), "SHORT", "d"), VORLANX_ERR_PATH_TOO_LONG);
    EXPECT_EQ(remove("1", "AREA1", tooLong.c_str()), VORLANX_ERR_PATH_TOO_LONG);
    HMODULE orvent = deployment.Load("ORVENT.dll");
    auto next = Proc<const char*(__cdecl*)()>(orvent, "ListNextArea");
    size_t listed = 0;
    for (const char* a = Proc<const char*(__cdecl*)(const char*)>(orvent, "ListFirstArea")("1"); a;
         a = next())
        ++listed;
    EXPECT_GE(listed, 3u);
    EXPECT_TRUE(Exists(folder + "\\" + byHand));
}

// The first write to an area makes its lock file; a first write that is refused makes nothing.
TEST_F(CategoryExports, ARefusedFirstWriteLeavesTheAreaAsItWas)
{
    const std::string level(200 - Folder("").size(), 'd'), leaf(40, 'f'), longest(49, 'x');
    const std::string category = level + "#" + leaf;
    MakeFolders(Folder(level + "\\" + leaf));
    EXPECT_EQ(create(nullptr, "1", "AREA1", level.c_str(), longest.c_str(), ""), VORLANX_ERR_PATH_TOO_LONG);
    EXPECT_EQ(edit(nullptr, "1", "AREA1", category.c_str(), longest.c_str(), ""), VORLANX_ERR_PATH_TOO_LONG);
    EXPECT_EQ(edit(nullptr, "1", "AREA1", "MISSING", "OTHER", ""), VORLANX_ERR_NO_CATEGORY);
    EXPECT_EQ(remove("1", "AREA1", "MISSING"), VORLANX_ERR_NO_CATEGORY);
    EXPECT_FALSE(Exists(Folder("~vorlanx.lck")));
    EXPECT_EQ(FolderEntries(Folder(level)), Names{leaf});

    // What a writer that took no lock moved aside still answers: the write puts it back.
    MakeFolders(Folder("ASIDE.~rename"));
    EXPECT_EQ(edit(nullptr, "1", "AREA1", "ASIDE", "ASIDE", "back"), VORLANX_OK);
}

TEST_F(CategoryExports, DeleteRemovesAnEmptyCategoryOnly)
{
    ASSERT_EQ(create(nullptr, "1", "AREA1", "", "EMPTY", "gone soon"), VORLANX_OK);
    ASSERT_EQ(create(nullptr, "1", "AREA1", "", "PARENT", ""), VORLANX_OK);
    ASSERT_EQ(create(nullptr, "1", "AREA1", "PARENT", "CHILD", ""), VORLANX_OK);
    ASSERT_EQ(create(nullptr, "1", "AREA1", "", "FILES", ""), VORLANX_OK);
    WriteTextFile(Folder("FILES\\data.bin"), "data");

    EXPECT_EQ(remove("1", "AREA1", "EMPTY"), VORLANX_OK);
    EXPECT_FALSE(Exists(Folder("EMPTY")));
    EXPECT_EQ(remove("1", "AREA1", "PARENT"), VORLANX_ERR_NOT_EMPTY);
    EXPECT_EQ(remove("1", "AREA1", "FILES"), VORLANX_ERR_NOT_EMPTY);
    EXPECT_EQ(ReadTextFile(Folder("FILES\\data.bin")), "data");
    EXPECT_TRUE(Exists(Folder("PARENT\\CHILD\\category.txt")));
    EXPECT_EQ(remove("1", "AREA1", "PARENT#CHILD"), VORLANX_OK);
    EXPECT_EQ(remove("1", "AREA1", "PARENT"), VORLANX_OK);
    EXPECT_EQ(remove("1", "AREA1", "PARENT"), VORLANX_ERR_NO_CATEGORY);
    EXPECT_EQ(remove("1", "AREA1", ""), VORLANX_ERR_INVALID_ARGUMENT);  // the area is no category
    EXPECT_TRUE(Exists(storage + "\\AREA1\\login.ctl"));
}

TEST_F(CategoryExports, NameAndDescriptionLimitsCountBytesWithTheTerminator)
{
    const std::string name49(49, 'n'), name50(50, 'm');
    const std::string text255(255, 'd'), text256(256, 'e');

    ASSERT_EQ(create(nullptr, "1", "AREA1", "", name49.c_str(), text255.c_str()), VORLANX_OK);
    EXPECT_EQ(Description(name49), text255);
    ASSERT_EQ(retrieve(nullptr, "1", "AREA1", name49.c_str(), name, description), VORLANX_OK);
    EXPECT_EQ(std::string(name), name49);
    EXPECT_EQ(std::string(description), text255);

    // One byte more is refused before the store sees it: nothing is created or changed.
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", name50.c_str(), ""), VORLANX_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", "OK", text256.c_str()), VORLANX_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(edit(nullptr, "1", "AREA1", name49.c_str(), name50.c_str(), ""),
              VORLANX_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(edit(nullptr, "1", "AREA1", name49.c_str(), name49.c_str(), text256.c_str()),
              VORLANX_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(FolderEntries(storage + "\\AREA1"), (std::vector<std::string>{"login.ctl", name49}));
    EXPECT_EQ(Description(name49), text255);
}

TEST_F(CategoryExports, NullNameAndDescriptionCountAsEmpty)
{
    // An empty name names no folder; the store says so, and creates nothing.
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", nullptr, "text"), VORLANX_ERR_INVALID_NAME);
    EXPECT_EQ(FolderEntries(storage + "\\AREA1").size(), 1u);
    ASSERT_EQ(create(nullptr, "1", "AREA1", "", "CAT", nullptr), VORLANX_OK);
    EXPECT_EQ(Description("CAT"), "");
    ASSERT_EQ(edit(nullptr, "1", "AREA1", "CAT", "CAT", "words"), VORLANX_OK);
    ASSERT_EQ(edit(nullptr, "1", "AREA1", "CAT", "CAT", nullptr), VORLANX_OK);
    EXPECT_EQ(Description("CAT"), "");
    EXPECT_EQ(edit(nullptr, "1", "AREA1", "CAT", nullptr, nullptr), VORLANX_ERR_INVALID_NAME);
    EXPECT_TRUE(Exists(Folder("CAT")));
}

TEST_F(CategoryExports, TheFirstArgumentIsNeverRead)
{
    char garbage[16];
    memset(garbage, 0xA5, sizeof garbage);
    void* const reserved[] = {nullptr, reinterpret_cast<void*>(1), garbage,
                              reinterpret_cast<void*>(0xDEADBEEF)};
    for (void* r : reserved) {
        const std::string cat = "C" + std::to_string(reinterpret_cast<uintptr_t>(r) % 1000);
        EXPECT_EQ(create(r, "1", "AREA1", "", cat.c_str(), "d"), VORLANX_OK);
        EXPECT_EQ(create(r, "1", "AREA1", "", cat.c_str(), "d"), VORLANX_ERR_EXISTS);
        EXPECT_EQ(edit(r, "1", "AREA1", cat.c_str(), cat.c_str(), "e"), VORLANX_OK);
        EXPECT_EQ(retrieve(r, "1", "AREA1", cat.c_str(), name, description), VORLANX_OK);
        EXPECT_STREQ(description, "e");
        EXPECT_EQ(retrieve(r, "1", "AREA1", "MISSING", name, description), VORLANX_ERR_NO_CATEGORY);
    }
}

TEST_F(CategoryExports, RetrieveLeavesTheBuffersAloneUnlessItFindsTheCategory)
{
    memset(name, 'N', sizeof name);
    memset(description, 'D', sizeof description);
    const auto untouched = [&] {
        return std::string(name, sizeof name) == std::string(sizeof name, 'N') &&
               std::string(description, sizeof description) == std::string(sizeof description, 'D');
    };
    EXPECT_EQ(retrieve(nullptr, "1", "AREA1", "MISSING", name, description), VORLANX_ERR_NO_CATEGORY);
    EXPECT_EQ(retrieve(nullptr, "1", "NOAREA", "CAT", name, description), VORLANX_ERR_NO_AREA);
    EXPECT_EQ(retrieve(nullptr, "9", "AREA1", "CAT", name, description), VORLANX_ERR_NO_DEVICE);
    EXPECT_EQ(retrieve(nullptr, "1", "AREA1", "", name, description), VORLANX_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(retrieve(nullptr, nullptr, nullptr, nullptr, name, description),
              VORLANX_ERR_INVALID_ARGUMENT);
    EXPECT_TRUE(untouched());

    // A folder made by hand whose name does not fit the record.
    MakeFolders(Folder(std::string(60, 'L')));
    EXPECT_EQ(retrieve(nullptr, "1", "AREA1", std::string(60, 'L').c_str(), name, description),
              VORLANX_ERR_NAME_TOO_LONG);
    EXPECT_TRUE(untouched());
}

TEST_F(CategoryExports, RetrieveWritesAtMostTheBufferSizesAlwaysTerminated)
{
    // A description written by hand, longer than the record holds.
    MakeFolders(Folder("LONG"));
    WriteTextFile(Folder("LONG\\category.txt"), std::string(1000, 'x'));
    char guard[VORLANX_NAME_SIZE + VORLANX_DESCRIPTION_SIZE + 64];
    memset(guard, 0xCC, sizeof guard);
    char* nameOut = guard;
    char* descriptionOut = guard + VORLANX_NAME_SIZE + 32;
    ASSERT_EQ(retrieve(nullptr, "1", "AREA1", "LONG", nameOut, descriptionOut), VORLANX_OK);
    EXPECT_STREQ(nameOut, "LONG");
    EXPECT_EQ(std::string(descriptionOut), std::string(255, 'x'));
    for (size_t i = VORLANX_NAME_SIZE; i < VORLANX_NAME_SIZE + 32; ++i)
        EXPECT_EQ(guard[i], char(0xCC)) << i;
    for (size_t i = VORLANX_NAME_SIZE + 32 + VORLANX_DESCRIPTION_SIZE; i < sizeof guard; ++i)
        EXPECT_EQ(guard[i], char(0xCC)) << i;
}

TEST_F(CategoryExports, HugeStringsInEveryArgumentGiveACode)
{
    const std::string huge(10000, 'h');
    const char* h = huge.c_str();
    EXPECT_EQ(create(nullptr, h, "AREA1", "", "OK", ""), VORLANX_ERR_NO_DEVICE);
    EXPECT_EQ(create(nullptr, "1", h, "", "OK", ""), VORLANX_ERR_INVALID_NAME);
    EXPECT_EQ(create(nullptr, "1", "AREA1", h, "OK", ""), VORLANX_ERR_INVALID_NAME);
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", h, ""), VORLANX_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", "OK", h), VORLANX_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(edit(nullptr, "1", "AREA1", h, "OK", ""), VORLANX_ERR_INVALID_NAME);
    EXPECT_EQ(edit(nullptr, h, h, h, h, h), VORLANX_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(retrieve(nullptr, h, h, h, name, description), VORLANX_ERR_NO_DEVICE);
    EXPECT_EQ(retrieve(nullptr, "1", "AREA1", h, name, description), VORLANX_ERR_INVALID_NAME);
    // Many short levels make a path far longer than the system's paths: refused, not a crash.
    std::string deep = "A";
    while (deep.size() < 10000)
        deep += "#A";
    EXPECT_EQ(retrieve(nullptr, "1", "AREA1", deep.c_str(), name, description),
              VORLANX_ERR_NO_CATEGORY);
    EXPECT_EQ(create(nullptr, "1", "AREA1", deep.c_str(), "OK", ""), VORLANX_ERR_NO_CATEGORY);
    EXPECT_EQ(FolderEntries(storage + "\\AREA1").size(), 1u);
}

TEST_F(CategoryExports, AMillionBytesOrOddBytesInEveryArgumentGiveACodeAndLoseNothing)
{
    ASSERT_EQ(create(nullptr, "1", "AREA1", "", "KEEP", "kept"), VORLANX_OK);
    std::string million(1000000, 'm');
    const char* m = million.c_str();
    void* reserved = million.data();
    EXPECT_EQ(create(reserved, m, m, m, m, m), VORLANX_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(edit(reserved, "1", "AREA1", "KEEP", m, "x"), VORLANX_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(retrieve(reserved, m, m, m, name, description), VORLANX_ERR_NO_DEVICE);
    EXPECT_EQ(retrieve(nullptr, "1", m, "KEEP", name, description), VORLANX_ERR_INVALID_NAME);
    // A lead byte of code page 932 as the last byte, and bytes of 0x80 and above.
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", "ab\x83", ""), VORLANX_OK);  // code page 1252 here
    EXPECT_EQ(retrieve(nullptr, "1", "AREA1", "ab\x83", name, description), VORLANX_OK);
    EXPECT_STREQ(name, "ab\x83");
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", "\xC9t\xE9", "\x80\xFF"), VORLANX_OK);
    EXPECT_EQ(retrieve(nullptr, "\xFF", "AREA1", "KEEP", name, description), VORLANX_ERR_NO_DEVICE);
    EXPECT_EQ(retrieve(nullptr, "1", "AREA1", "KEEP", name, description), VORLANX_OK);
    EXPECT_STREQ(description, "kept");
}

TEST_F(CategoryExports, NamesThatCannotBeFoldersNeverReachTheFileSystem)
{
    for (const char* bad : {"CON", "nul", "NUL.txt", "COM1", "a\\b", "a/b", "..", ".", "a:b", "a#b",
                            "x*", "trailing."})
        EXPECT_EQ(create(nullptr, "1", "AREA1", "", bad, ""), VORLANX_ERR_INVALID_NAME) << bad;
    // Nothing climbs out of the area through the area or the category.
    EXPECT_EQ(create(nullptr, "1", "..", "", "ESCAPE", ""), VORLANX_ERR_INVALID_NAME);
    EXPECT_EQ(create(nullptr, "1", "AREA1\\..\\..", "", "ESCAPE", ""), VORLANX_ERR_INVALID_NAME);
    EXPECT_EQ(create(nullptr, "1", "AREA1", "..#..", "ESCAPE", ""), VORLANX_ERR_INVALID_NAME);
    EXPECT_EQ(remove("1", "AREA1", ".."), VORLANX_ERR_INVALID_NAME);
    EXPECT_EQ(FolderEntries(storage + "\\AREA1").size(), 1u);
    EXPECT_EQ(FolderEntries(storage), (std::vector<std::string>{"AREA1"}));
    EXPECT_EQ(FolderEntries(root), (std::vector<std::string>{"userroot"}));
}

TEST_F(CategoryExports, AMissingStoreFolderGivesACode)
{
    ASSERT_EQ(create(nullptr, "1", "AREA1", "", "CAT", "d"), VORLANX_OK);
    RemoveTree(root);
    EXPECT_EQ(retrieve(nullptr, "1", "AREA1", "CAT", name, description), VORLANX_ERR_NO_AREA);
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", "NEW", "d"), VORLANX_ERR_NO_AREA);
    EXPECT_EQ(edit(nullptr, "1", "AREA1", "CAT", "CAT", "d"), VORLANX_ERR_NO_AREA);
    EXPECT_EQ(remove("1", "AREA1", "CAT"), VORLANX_ERR_NO_AREA);
    // Without storage.ini there is no device 1 at all.
    DeleteFileA((deployment.Folder() + "\\storage.ini").c_str());
    EXPECT_EQ(create(nullptr, "1", "AREA1", "", "NEW", "d"), VORLANX_ERR_NO_DEVICE);
}

}  // namespace
