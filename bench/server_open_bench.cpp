// The browser's open time on ten devices on ten of the tests' file servers (3 areas, 9
// categories each), side by side in one run: all servers alive, against one of them dead. Each
// figure is the best of several rounds, the two taken in turn.
#include "bench_support.h"
#include "support/fixtures/file_server.h"

#include <memory>

namespace {

double Browse(vorlanx_browse_category_fn browse)
{
    return OpenTime(browse, "2", "AREA1");
}

}  // namespace

int main()
{
    if (const std::string why = FileServer::Unavailable(); !why.empty()) {
        printf("server_open_bench: skipped: %s\n", why.c_str());
        return 0;
    }
    Deployment deployment;
    std::vector<std::unique_ptr<FileServer>> servers;
    std::vector<std::pair<std::string, std::string>> devices;
    for (int n = 1; n <= 10; ++n) {
        const std::string folder = deployment.Folder() + "\\SRV" + std::to_string(n);
        const std::string storage = folder + "\\dev\\userroot\\storage";
        for (const char* area : {"AREA1", "AREA2", "AREA3"}) {
            MakeArea(storage, area, "open");
            for (const char* cat : {"CAT1", "CAT2", "CAT3"}) {
                MakeFolders(storage + "\\" + area + "\\" + cat);
                WriteTextFile(storage + "\\" + area + "\\" + cat + "\\category.txt", "words");
            }
        }
        servers.push_back(std::make_unique<FileServer>("SRV" + std::to_string(n), folder));
        if (!servers.back()->Serving()) {
            printf("server_open_bench: SRV%d did not come up\n", n);
            return 1;
        }
        devices.push_back({std::to_string(n), servers.back()->Share() + "\\dev"});
    }
    deployment.WriteStorageIni(devices);
    VorlanxExports exports;
    if (!exports.Bind(deployment.Load("vorlanx.dll")))
        return 1;
    double alive = 1e9, dead = 1e9;
    for (int round = 0; round < 5; ++round) {
        alive = std::min(alive, Browse(exports.browse));
        servers[0]->Control(0, true);
        dead = std::min(dead, Browse(exports.browse));
        servers[0]->Control(0, false);
        Sleep(200);  // its waiting check answers: the server is used again
    }
    printf("open, 10 devices on 10 servers: all alive %.0f ms, one dead %.0f ms: "
           "the dead server adds %.0f ms (%.2f times)\n",
           alive, dead, dead - alive, dead / alive);
    return 0;
}
