// The browser on a numbered device of 1,000 areas on one of the tests' file servers (one or two
// categories and a login.ctl an area: the browser checks every entry), side by side in one run:
// the server delaying every operation by 10 ms, against the same server without delay. The two
// are taken in turn, each first in every other round; each figure is the median of the rounds,
// with the operations the server served for one open.
//   server_browse_bench [AREAS [ROUNDS [DELAY_MS]]]
#include "bench_support.h"
#include "support/fixtures/file_server.h"

#include <cstdlib>
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

void Open(FileServer& server, vorlanx_browse_category_fn browse, int delayMs, Side& side)
{
    server.Control(delayMs, false);
    const Counts before = server.Served();
    int items = 0;
    side.ms.push_back(OpenTime(browse, "1", AreaName(0).c_str(), &items));
    side.served = server.Served();
    for (auto& [kind, n] : side.served)
        n -= before.count(kind) ? before.at(kind) : 0;
    printf("  %2d ms a delay: %10.1f ms, %d items in the tree, %s\n", delayMs, side.ms.back(),
           items, Text(side.served).c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);  // each figure as soon as it is measured
    const int areas = argc > 1 ? atoi(argv[1]) : 1000;
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
    printf("%d areas on a file server, the browse call until its dialog is up:\n", areas);
    Side plain, delayed;
    OpenTime(exports.browse, "1", AreaName(0).c_str());  // the libraries loaded, the server known
    for (int round = 0; round < rounds; ++round) {
        if (round % 2)
            Open(server, exports.browse, delayMs, delayed);
        Open(server, exports.browse, 0, plain);
        if (round % 2 == 0)
            Open(server, exports.browse, delayMs, delayed);
    }
    const double a = Median(plain.ms), b = Median(delayed.ms);
    printf("%d areas, median of %d rounds: no delay %.0f ms, %d ms a delay %.0f ms: ratio %.2f\n",
           areas, rounds, a, delayMs, b, b / a);
    server.Control(0, false);
    return 0;
}
