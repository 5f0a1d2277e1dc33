// Each call with the support trace on a dead server, on a slow one (1 s an operation), on a
// local file, against the trace off, side by side in one run. Each path is a deployment of its
// own, and each round runs its calls in a process of this program's own (the libraries decide
// once per process whether they trace), the four taken in turn, each first in every other round.
#include "bench_support.h"
#include "support/fixtures/file_server.h"

#include <map>
#include <memory>
#include <sstream>

namespace {

const int kRounds = 3;
const int kCalls = 200;

// The child's work on the deployment in folder: prints "CALL median max" for each call, in ms.
int Calls(const std::string& folder)
{
    VorlanxExports exports;
    if (!exports.Bind(LoadLibraryA((folder + "\\vorlanx.dll").c_str())))
        return 1;
    char name[VORLANX_NAME_SIZE], description[VORLANX_DESCRIPTION_SIZE];
    std::map<std::string, std::vector<double>> times;
    const auto timed = [&](const char* call, auto body) {
        const auto start = Clock::now();
        body();
        times[call].push_back(Ms(Clock::now() - start));
    };
    timed("first retrieve", [&] { exports.retrieve(nullptr, "1", "AREA1", "CAT", name, description); });
    for (int i = 0; i < kCalls; ++i) {
        timed("retrieve", [&] { exports.retrieve(nullptr, "1", "AREA1", "CAT", name, description); });
        timed("edit", [&] { exports.edit(nullptr, "1", "AREA1", "CAT", "CAT", "words"); });
    }
    for (int i = 0; i < 3; ++i)
        times["browse"].push_back(OpenTime(exports.browse, "1", "AREA1"));
    for (auto& [call, ms] : times)
        printf("%s|%.3f|%.3f\n", call.c_str(), Median(ms), *std::max_element(ms.begin(), ms.end()));
    return 0;
}

// Runs this program on folder in a process of its own; what it printed.
std::string RunCalls(const std::string& folder)
{
    std::string printed;
    Run(folder, "\"" + ThisProgram() + "\" --calls \"" + folder + "\"", &printed);
    return printed;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--calls")
        return Calls(argv[2]);
    if (const std::string why = FileServer::Unavailable(); !why.empty()) {
        printf("trace_bench: skipped: %s\n", why.c_str());
        return 0;
    }
    Deployment served;
    MakeFolders(served.Folder() + "\\dead");
    MakeFolders(served.Folder() + "\\slow");
    FileServer dead("TRACEDEAD", served.Folder() + "\\dead");
    FileServer slow("TRACESLOW", served.Folder() + "\\slow");
    if (!dead.Serving() || !slow.Serving()) {
        printf("trace_bench: the file servers did not come up\n");
        return 1;
    }
    const char* paths[] = {"off", "local file", "dead server", "slow server"};
    std::vector<std::unique_ptr<Deployment>> deployments;
    for (const char* path : paths) {
        deployments.push_back(std::make_unique<Deployment>());
        Deployment& d = *deployments.back();
        const std::string root = d.MakeDevice("dev1");
        MakeArea(root + "\\userroot\\storage", "AREA1", "open");
        MakeFolders(root + "\\userroot\\storage\\AREA1\\CAT");
        d.WriteStorageIni({{"1", root}});
        const std::string trace = path == paths[1]   ? d.Folder() + "\\trace.txt"
                                  : path == paths[2] ? dead.Share() + "\\dead.txt"
                                  : path == paths[3] ? slow.Share() + "\\slow.txt"
                                                     : "";
        if (!trace.empty())
            WriteTextFile(d.Folder() + "\\storage.ini", ReadTextFile(d.Folder() + "\\storage.ini") +
                                                            "[options]\r\ntrace = " + trace + "\r\n");
    }
    dead.Control(0, true);
    slow.Control(1000, false);
    // By call and path: each round's median and max.
    std::map<std::string, std::vector<std::vector<double>>> medians, maxima;
    for (int round = 0; round < kRounds; ++round)
        for (size_t k = 0; k < 4; ++k) {
            const size_t p = round % 2 ? 3 - k : k;
            std::istringstream lines(RunCalls(deployments[p]->Folder()));
            for (std::string line; std::getline(lines, line);) {
                const size_t bar = line.find('|'), bar2 = line.rfind('|');
                const std::string call = line.substr(0, bar);
                medians[call].resize(4), maxima[call].resize(4);
                medians[call][p].push_back(atof(line.c_str() + bar + 1));
                maxima[call][p].push_back(atof(line.c_str() + bar2 + 1));
            }
        }
    dead.Control(0, false);
    slow.Control(0, false);
    printf("each call, ms (median of %d rounds of the median, and the largest single call), %d "
           "retrieves and edits a round\n", kRounds, kCalls);
    printf("%-15s", "call");
    for (const char* path : paths)
        printf(" %21s", path);
    printf("\n");
    for (const auto& [call, byPath] : medians) {
        printf("%-15s", call.c_str());
        for (size_t p = 0; p < 4; ++p) {
            const std::vector<double>& most = maxima[call][p];
            printf(" %9.3f (max %7.3f)", Median(byPath[p]),
                   most.empty() ? 0.0 : *std::max_element(most.begin(), most.end()));
        }
        printf("\n");
    }
    return 0;
}
