// vorlanxhost check against a browse of the same site, side by side in one run: 10,000 areas of
// 3 categories each on one numbered device (the check reads every category's description too).
// The check is the whole program in a process of its own, from its start to its end; the browse
// is the shipped vorlanx.dll's call until its dialog, its tree built, is up. Then the same with
// the support trace on, against it off: a browse of 2,000 areas of 3 categories and a retrieve of
// each category, in a process of this program's own each (the libraries decide once per process
// whether they trace), the two taken in turn, each first in every other round.
#include "bench_support.h"

namespace {

// The child's work: the browse and the retrieves on the deployment in folder; prints their ms.
int StoreCalls(const std::string& folder, int areas)
{
    const HMODULE vorlanx = LoadLibraryA((folder + "\\vorlanx.dll").c_str());
    VorlanxExports exports;
    if (!exports.Bind(vorlanx))
        return 1;
    const auto start = Clock::now();
    OpenTime(exports.browse, "1", AreaName(0).c_str());
    char name[VORLANX_NAME_SIZE], description[VORLANX_DESCRIPTION_SIZE];
    for (int i = 0; i < areas; ++i)
        for (const char* category : {"CAT1", "CAT2", "CAT3"})
            exports.retrieve(nullptr, "1", AreaName(i).c_str(), category, name, description);
    printf("%.1f\n", Ms(Clock::now() - start));
    return 0;
}

void LayOut(Deployment& deployment, int areas)
{
    const std::string root = deployment.MakeDevice("dev1");
    const std::string storage = root + "\\userroot\\storage";
    MakeAreas(storage, 0, areas);
    for (int i = 0; i < areas; ++i)
        for (const char* category : {"CAT1", "CAT2", "CAT3"}) {
            const std::string folder = storage + "\\" + AreaName(i) + "\\" + category;
            CreateDirectoryA(folder.c_str(), nullptr);
            WriteTextFile(folder + "\\category.txt", "words");
        }
    deployment.WriteStorageIni({{"1", root}});
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--store-calls")
        return StoreCalls(argv[2], atoi(argv[3]));
    // site_check_bench [AREAS [TRACE_ROUNDS]]
    const int areas = argc > 1 ? atoi(argv[1]) : 10000;
    const int traceRounds = argc > 2 ? atoi(argv[2]) : 5;
    const int rounds = 3;
    Deployment deployment;
    LayOut(deployment, areas);
    VorlanxExports exports;
    if (!exports.Bind(deployment.Load("vorlanx.dll")))
        return 1;
    std::vector<double> check, browse;
    int items = 0;
    for (int round = 0; round < rounds; ++round) {
        browse.push_back(OpenTime(exports.browse, "1", AreaName(0).c_str(), &items));
        check.push_back(Run(deployment.Folder(),
                            "\"" + deployment.Folder() + "\\vorlanxhost.exe\" check --json"));
    }
    printf("a site of %d areas of 3 categories each (%d tree items), median of %d rounds\n", areas,
           items, rounds);
    printf("%14s %14s %8s\n", "check ms", "browse ms", "ratio");
    printf("%14.1f %14.1f %8.2f\n", Median(check), Median(browse), Median(check) / Median(browse));

    // The trace: the same calls in two deployments, one of them tracing.
    const int traced = 2000;
    Deployment off, on;
    LayOut(off, traced);
    LayOut(on, traced);
    const std::string ini = on.Folder() + "\\storage.ini";
    WriteTextFile(ini, ReadTextFile(ini) + "[options]\r\ntrace = " + on.Folder() + "\\trace.txt\r\n");
    std::vector<double> plain, tracing;
    for (int round = 0; round < traceRounds; ++round)
        for (Deployment* d : round % 2 ? std::vector<Deployment*>{&on, &off}
                                       : std::vector<Deployment*>{&off, &on}) {
            std::string printed;
            Run(d->Folder(), "\"" + ThisProgram() + "\" --store-calls \"" + d->Folder() + "\" " +
                                 std::to_string(traced), &printed);
            (d == &on ? tracing : plain).push_back(atof(printed.c_str()));
        }
    printf("the support trace: a browse of %d areas of 3 categories and a retrieve of each "
           "category, median of %d rounds\n", traced, traceRounds);
    printf("%14s %14s %8s\n", "trace on ms", "trace off ms", "ratio");
    printf("%14.1f %14.1f %8.2f\n", Median(tracing), Median(plain), Median(tracing) / Median(plain));
    return 0;
}
