// The browser on a numbered device of 30 areas on one of the tests' file servers (one or two
// categories and a login.ctl an area: the browser checks every entry), side by side in one run:
// the server delaying every operation by 10 ms, against its floor, a bare program walking the
// same tree on the same delayed server one call after another; and, for the record, against the
// same server without delay. The three are taken in turn, the order turned round every other
// round; each figure is the median of the rounds, with the operations the server served for
// one open or walk.
//   server_browse_bench [AREAS [ROUNDS [DELAY_MS]]]
#include "bench_support.h"
#include "support/fixtures/file_server.h"

#include <cstdlib>
#include <cstring>
#include <map>

namespace {

using Counts = std::map<std::string, unsigned long long>;

struct Side {
    std::vector<double> ms;
    Counts served;  // by the last open
};

std::string Text(const Counts& counts)
{
    std::string text;
    for (const auto& [kind, n] : counts)
        if (kind != "operations" && n > 0)
            text += " " + kind + " " + std::to_string(n);
    return std::to_string(counts.count("operations") ? counts.at("operations") : 0) +
           " operations:" + text;
}

// One open or walk on the server at the given delay: its time, and what the server served.
template <typename Run>
void Measure(FileServer& server, int delayMs, const char* what, Side& side, Run run)
{
    server.Control(delayMs, false);
    const Counts before = server.Served();
    int items = -1;
    side.ms.push_back(run(items));
    side.served = server.Served();
    for (auto& [kind, n] : side.served)
        n -= before.count(kind) ? before.at(kind) : 0;
    const std::string tree = items < 0 ? "" : ", " + std::to_string(items) + " items in the tree";
    printf("  %2d ms a delay, %-9s %10.1f ms%s, %s\n", delayMs, what, side.ms.back(),
           tree.c_str(), Text(side.served).c_str());
}

// The folders in folder, by the plain listing calls; false when it cannot be listed.
bool ListFolders(const std::string& folder, std::vector<std::string>& names)
{
    names.clear();
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    do
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            strcmp(data.cFileName, ".") != 0 && strcmp(data.cFileName, "..") != 0)
            names.emplace_back(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
}

// A folder listed, then each folder below it, depth first.
void ListBelow(const std::string& folder)
{
    std::vector<std::string> names;
    ListFolders(folder, names);
    for (const std::string& name : names)
        ListBelow(folder + "\\" + name);
}

// The floor: what the store must do for the tree, by a bare program, one call after another:
// the storage folder listed, each area's login.ctl read by the profile functions, each area's
// folder and each category folder listed.
double BareWalk(const std::string& storage)
{
    const auto start = Clock::now();
    std::vector<std::string> areas;
    ListFolders(storage, areas);
    char section[4096];
    for (const std::string& area : areas) {
        const std::string folder = storage + "\\" + area;
        GetPrivateProfileSectionA("login", section, sizeof section,
                                  (folder + "\\login.ctl").c_str());
        ListBelow(folder);
    }
    return Ms(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);  // each figure as soon as it is measured
    const int areas = argc > 1 ? atoi(argv[1]) : 30;
    const int rounds = argc > 2 ? atoi(argv[2]) : 3;
    const int delayMs = argc > 3 ? atoi(argv[3]) : 10;
    if (const std::string why = FileServer::Unavailable(); !why.empty()) {
        printf("server_browse_bench: skipped: %s\n", why.c_str());
        return 0;
    }
    Deployment deployment;
    const std::string folder = deployment.Folder() + "\\SRVB";
    const std::string storage = folder + "\\dev\\userroot\\storage";
    for (int i = 0; i < areas; ++i) {
        MakeArea(storage, AreaName(i), "open");
        for (const char* cat : {"CAT1", "CAT2"}) {
            MakeFolders(storage + "\\" + AreaName(i) + "\\" + cat);
            WriteTextFile(storage + "\\" + AreaName(i) + "\\" + cat + "\\category.txt", "words");
            if (i % 2)  // every other area has one category
                break;
        }
    }
    FileServer server("SRVB", folder);
    if (!server.Serving()) {
        printf("server_browse_bench: the file server did not come up\n");
        return 1;
    }
    deployment.WriteStorageIni({{"1", server.Share() + "\\dev"}});
    VorlanxExports exports;
    if (!exports.Bind(deployment.Load("vorlanx.dll")))
        return 1;
    printf("%d areas on a file server, the browse call until its dialog is up, against a bare\n"
           "walk of the same tree on the same server:\n", areas);
    const std::string served = server.Share() + "\\dev\\userroot\\storage";
    Side plain, delayed, walk;
    OpenTime(exports.browse, "1", AreaName(0).c_str());  // the libraries loaded, the server known
    const auto browse = [&](int& items) {
        return OpenTime(exports.browse, "1", AreaName(0).c_str(), &items);
    };
    const auto bare = [&](int&) { return BareWalk(served); };
    for (int round = 0; round < rounds; ++round) {
        if (round % 2) {
            Measure(server, delayMs, "bare walk", walk, bare);
            Measure(server, delayMs, "browser", delayed, browse);
        }
        Measure(server, 0, "browser", plain, browse);
        if (round % 2 == 0) {
            Measure(server, delayMs, "browser", delayed, browse);
            Measure(server, delayMs, "bare walk", walk, bare);
        }
    }
    const double a = Median(plain.ms), b = Median(delayed.ms), c = Median(walk.ms);
    printf("%d areas, median of %d rounds, %d ms a delay: the browser %.0f ms, the bare walk "
           "%.0f ms: ratio %.2f\n", areas, rounds, delayMs, b, c, b / c);
    printf("%d areas, median of %d rounds: no delay %.0f ms, %d ms a delay %.0f ms: ratio %.2f\n",
           areas, rounds, a, delayMs, b, b / a);
    server.Control(0, false);
    return 0;
}
