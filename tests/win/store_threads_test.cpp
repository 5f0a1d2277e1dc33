// Our store and lookup called from several threads of one process at once: each thread's
// enumeration and cached pass are its own, and writes to one area take their turns.
#include "support/fixtures/deployment.h"
#include "support/store/store_calls.h"
#include "support/store/store_forwarder.h"

#include "vorlanx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

namespace {

using Lines = std::vector<std::string>;

class StoreThreads : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ForwardStoreTo(deployment));
        one = deployment.MakeDevice("1");
        const std::string twelve = deployment.MakeDevice("12");
        const std::string drive = deployment.MakeDevice("c");
        deployment.WriteStorageIni({{"C:", drive}, {"1", one}, {"12", twelve}});
        const char* access[] = {"open", "blocked", "restricted", nullptr};
        for (int i = 0; i < 80; ++i) {
            const std::string area = "AREA" + std::to_string(i);
            MakeArea(Storage(one), area, access[i % 4], i % 5 == 0 ? "yes" : "no",
                     i % 7 == 0 ? "yes" : "no");
            MakeFolders(Storage(one) + "\\" + area + "\\CAT\\SUB" + std::to_string(i));
            MakeFolders(Storage(one) + "\\" + area + "\\OTHER");
            MakeArea(Storage(twelve), area, access[(i + 1) % 4]);
            MakeArea(Storage(drive), area, "open");
        }
        MakeArea(Storage(one), "WORK", "open");
    }

    static std::string Storage(const std::string& root) { return root + "\\userroot\\storage"; }

    // What the browser asks while it builds its tree, one line per device and listed entry.
    Lines Browse()
    {
        Lines lines;
        talmor_startcache();
        for (const char* d = ListFirstDevice("\\\\.", 7); d; d = ListNextDevice()) {
            const std::string device = d;
            lines.push_back(device);
            for (const char* a = ListFirstArea(d); a; a = ListNextArea()) {
                std::string line = device + " " + a;
                if (!strchr(a, '#')) {
                    std::string login = device.substr(0, 1) + ":\\userroot\\storage\\" + a +
                                        "\\login.ctl";
                    int first = 0, second = 0, third = 0;
                    const int check =
                        cc_check_trailer_ex(login.data(), 5, &first, &second, &third);
                    line += " " + std::to_string(check) + " " + std::to_string(second) + " " +
                            std::to_string(talmor_IsAreaReadonly(d, a));
                }
                lines.push_back(line);
            }
        }
        talmor_stopcache();
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    Deployment deployment;
    std::string one;
};

TEST_F(StoreThreads, ThreeThreadsBrowsingAtOnceGetTheSameTree)
{
    const Lines expected = Browse();
    ASSERT_EQ(expected.size(), 3u + 80 * 3 + 80 * 3 + 1);
    for (int round = 0; round < 20; ++round) {
        Lines got[3];
        std::vector<std::thread> threads;
        for (Lines& lines : got)
            threads.emplace_back([this, &lines] { lines = Browse(); });
        // A thread that leaves its pass and its enumerations open, and ends.
        threads.emplace_back([&] {
            talmor_startcache();
            ListFirstDevice("\\\\.", 7);
            ListFirstArea("1");
        });
        for (std::thread& t : threads)
            t.join();
        for (const Lines& lines : got)
            ASSERT_EQ(lines, expected) << "round " << round;
    }
    // The libraries are freed after the threads have ended (the deployment frees them); the
    // next test runs in this same process.
}

TEST_F(StoreThreads, EightThreadsEditingOneCategoryAreNeverRefused)
{
    MakeFolders(Storage(one) + "\\WORK\\CAT");
    const int threads = 8, rounds = 25;
    int firstRefusal = 0;
    EXPECT_EQ(RaceEdits("1", "WORK", "CAT", "A", threads, rounds, firstRefusal), 0)
        << "first refusal " << firstRefusal;
    CCategoryData record = {};
    ASSERT_EQ(talmor_RetrieveCategory("1", "WORK", "CAT", &record), VORLANX_OK);
    EXPECT_TRUE(IsRaceDescription(record.description, "A", threads, rounds)) << record.description;
    EXPECT_EQ(FolderEntries(Storage(one) + "\\WORK\\CAT"), Lines{"category.txt"});
}

// A category appears and disappears whole: while one thread makes, renames and deletes it again
// and again, a reader finds it with a description it was given or not at all (2005), and a
// browse walking the area holds up no write.
TEST_F(StoreThreads, ReadersSeeACategoryWholeOrNotAtAllWhileItIsMadeRenamedAndDeleted)
{
    std::atomic<bool> done{false};
    std::atomic<int> whole{0}, torn{0};
    std::string firstTorn;
    std::thread reader([&] {
        for (int i = 0; !done; ++i) {
            const char* name = i % 2 ? "D" : "E";
            CCategoryData record = {};
            const int code = talmor_RetrieveCategory("1", "WORK", name, &record);
            const std::string text = record.description;
            if (code == VORLANX_OK && (text == "keep" || text == "moved"))
                ++whole;
            else if (code != VORLANX_ERR_NO_CATEGORY && torn++ == 0)
                firstTorn = std::string(name) + " " + std::to_string(code) + " '" +
                            record.description + "'";
        }
    });
    std::thread browse([&] {
        while (!done)
            for (const char* a = ListFirstArea("1"); a; a = ListNextArea())
                if (strchr(a, '~'))
                    ++torn;
    });
    Lines refusals;
    for (int round = 0; round < 150; ++round) {
        CCategoryData record = MakeRecord("D", "keep"), moved = MakeRecord("E", "moved");
        const int codes[] = {talmor_NewCategory("1", "WORK", "", &record),
                             talmor_EditCategory("1", "WORK", "D", &moved),
                             talmor_DeleteCategory("1", "WORK", "E")};
        for (int step = 0; step < 3; ++step)
            if (codes[step] != VORLANX_OK)
                refusals.push_back(std::to_string(round) + "." + std::to_string(step) + ": " +
                                   std::to_string(codes[step]));
    }
    done = true;
    reader.join();
    browse.join();
    EXPECT_EQ(torn, 0) << "first: " << firstTorn;
    EXPECT_EQ(refusals, Lines{});
    EXPECT_GT(whole, 0);
}

}  // namespace
