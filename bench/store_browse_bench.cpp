// The browser on our real store against its floor, measured side by side in one run:
// - storage areas on one drive-letter device, 10,000, 50,000 and 200,000: the browse call of the
//   shipped vorlanx.dll until its dialog is up, against a bare program that lists the same areas,
//   reads each login.ctl once and inserts the same items into a bare tree control; beside each,
//   the processor time that each side took in this process (all its threads) and the Wine server;
// - 5,000 devices of one area each, against one device with the same 5,000 areas;
// - a store call on a storage.ini of 100,000 lines: the first call, against each later one;
// - 10,000 areas named outside ASCII against 10,000 ASCII ones, in a host of code page 932, 1252
//   and 65001 each, on a drive-letter device and on a numbered one.
// Each figure is the best of several rounds, the two sides taken in turn.
//   store_browse_bench [areas [LARGEST [browser | floor]] | devices | names]: only that part (the
//   areas up to LARGEST, only one side of them, for a profiler); the areas' trees:
//   VORLANX_BENCH_AREAS
#include "bench_support.h"
#include "support/fixtures/unix_side.h"

#include <commctrl.h>

namespace {

double Browse(vorlanx_browse_category_fn browse, const char* device)
{
    return OpenTime(browse, device, AreaName(0).c_str());
}

// Processor time of every thread of this process so far (the Wine server's and the display's
// are not in it).
double ProcessorMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& t) {
        return (ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0;
    };
    return ticks(kernel) + ticks(user);
}

// The Wine server's processor time so far, when the caller names its process
// (VORLANX_WINESERVER_PID), from Linux's /proc through Wine's drive Z:; 0 without it.
double ServerMs()
{
    const char* pid = getenv("VORLANX_WINESERVER_PID");
    if (!pid || !*pid)
        return 0;
    const std::string stat = ReadTextFile(std::string("Z:\\proc\\") + pid + "\\stat");
    // After the command's closing ')': the fields from the third on; the 14th and 15th are the
    // user and system time in ticks of 10 ms.
    const size_t close = stat.rfind(')');
    unsigned long long user = 0, system = 0;
    if (close == std::string::npos ||
        sscanf(stat.c_str() + close + 1, " %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %llu %llu",
               &user, &system) != 2)
        return 0;
    return (user + system) * 10.0;
}

// The best of a side's rounds: its time, and the processor time of this process and of the
// Wine server in the same round.
struct Best {
    double ms = 1e30, processorMs = 0, serverMs = 0;

    template <typename Side>
    void Take(Side side)
    {
        const double before = ProcessorMs(), serverBefore = ServerMs();
        const double took = side();
        if (took < ms) {
            ms = took;
            processorMs = ProcessorMs() - before;
            serverMs = ServerMs() - serverBefore;
        }
    }
};

// The floor: the areas listed, each login.ctl read once, the items in a bare tree control with
// the browser's seven icons, the root and the device expanded, the first area selected; closing
// becomes the least time yet that destroying the tree took.
double Floor(const std::string& storage, HMODULE icons, double& closing)
{
    const auto start = Clock::now();
    std::vector<std::string> areas;
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((storage + "\\*").c_str(), &data);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &data))
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.cFileName[0] != '.')
            areas.emplace_back(data.cFileName);
    FindClose(find);
    char section[4096];
    for (const std::string& area : areas)
        GetPrivateProfileSectionA("login", section, sizeof section,
                                  (storage + "\\" + area + "\\login.ctl").c_str());
    HWND tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                WS_POPUP | TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP,
                                0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HIMAGELIST images = ImageList_Create(16, 16, 0, 7, 1);
    for (int icon : {404, 405, 406, 409, 318, 408, 407})
        ImageList_ReplaceIcon(images, -1, LoadIconA(icons, MAKEINTRESOURCEA(icon)));
    TreeView_SetImageList(tree, images, TVSIL_NORMAL);
    const auto insert = [&](HTREEITEM parent, const std::string& text, int image) {
        TVINSERTSTRUCTA item = {};
        item.hParent = parent;
        item.hInsertAfter = TVI_LAST;
        item.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.item.pszText = const_cast<char*>(text.c_str());
        item.item.iImage = item.item.iSelectedImage = image;
        return TreeView_InsertItem(tree, &item);
    };
    HTREEITEM root = insert(TVI_ROOT, "", 0), device = insert(root, "C:", 1), first = nullptr;
    for (const std::string& area : areas) {
        HTREEITEM item = insert(device, area, 2);
        first = first ? first : item;
    }
    TreeView_Expand(tree, root, TVE_EXPAND);
    TreeView_Expand(tree, device, TVE_EXPAND);
    TreeView_SelectItem(tree, first);
    const double ms = Ms(Clock::now() - start);
    const auto destroying = Clock::now();
    DestroyWindow(tree);
    closing = std::min(closing, Ms(Clock::now() - destroying));
    ImageList_Destroy(images);
    return ms;
}

// The trees are laid out natively, once per run, by scripts/bench, which names their folder in
// VORLANX_BENCH_AREAS: a device root per size, named by its number of areas. Through Wine each
// new name in a folder costs a search of all its entries (names match without regard to case),
// so 200,000 areas laid out from here would take hours.
void AreasAgainstFloor(int largest, const std::string& sides)
{
    const char* trees = getenv("VORLANX_BENCH_AREAS");
    if (!trees || !*trees) {
        printf("areas on one device: skipped: VORLANX_BENCH_AREAS names no laid-out trees "
               "(scripts/bench lays them out)\n");
        return;
    }
    Deployment deployment;
    HMODULE vorlanx = deployment.Load("vorlanx.dll");
    const auto browse = Proc<vorlanx_browse_category_fn>(vorlanx, "vorlanx_browse_category");
    printf("areas on one device: the browse call until its dialog is up, against a bare program\n"
           "listing them, reading each login.ctl once and filling a bare tree control; beside\n"
           "them the processor time of this process's threads and of the Wine server (when\n"
           "VORLANX_WINESERVER_PID names it) in the same rounds; below, the least time that\n"
           "closing took: from the dialog up to the call's return, against the tree destroyed\n");
    printf("%8s %21s %6s | %17s %17s %6s\n", "", "ms", "", "browser cpu ms", "floor cpu ms", "");
    printf("%8s %10s %10s %6s | %8s %8s %8s %8s %6s\n", "areas", "browser", "floor", "ratio",
           "process", "server", "process", "server", "ratio");
    // On a shared machine a round is only ever slowed, so the best of many comes near what each
    // side costs; fewer at the largest size keep the run within about ten minutes.
    for (const auto& [areas, rounds] : {std::pair{10000, 15}, {50000, 9}, {200000, 5}}) {
        if (areas > largest)
            break;
        const std::string root = std::string(trees) + "\\" + std::to_string(areas);
        const std::string storage = root + "\\userroot\\storage";
        if (!Exists(storage + "\\" + AreaName(areas - 1) + "\\login.ctl")) {
            printf("%8d: skipped, not laid out in %s\n", areas, root.c_str());
            continue;
        }
        deployment.WriteStorageIni({{"C:", root}});
        Best ours, floor;
        double ourClose = 1e30, floorClose = 1e30;
        for (int round = 0; round < rounds; ++round) {
            if (round % 2 && sides != "browser")
                floor.Take([&] { return Floor(storage, vorlanx, floorClose); });
            if (sides != "floor")
                ours.Take([&] { return OpenTime(browse, "C:", AreaName(0).c_str(), nullptr, &ourClose); });
            if (round % 2 == 0 && sides != "browser")
                floor.Take([&] { return Floor(storage, vorlanx, floorClose); });
        }
        if (sides == "browser" || sides == "floor") {
            const Best& side = sides == "browser" ? ours : floor;
            printf("%8d %s alone: %.1f ms, processor %.0f ms, Wine server %.0f ms\n", areas,
                   sides.c_str(), side.ms, side.processorMs, side.serverMs);
            continue;
        }
        const double ourWork = ours.processorMs + ours.serverMs;
        const double floorWork = floor.processorMs + floor.serverMs;
        printf("%8d %10.1f %10.1f %6.2f | %8.0f %8.0f %8.0f %8.0f %6.2f\n", areas, ours.ms,
               floor.ms, ours.ms / floor.ms, ours.processorMs, ours.serverMs, floor.processorMs,
               floor.serverMs, ourWork / floorWork);
        printf("%8s closing: the browser's dialog %.1f ms, the floor's tree %.1f ms, ratio %.2f\n",
               "", ourClose, floorClose, ourClose / floorClose);
    }
}

// One deployment (a second would share the first's store libraries), its storage.ini rewritten
// between the two.
void DevicesAgainstAreas()
{
    const int count = 5000;
    Deployment deployment;
    std::vector<std::pair<std::string, std::string>> devices;
    for (int i = 1; i <= count; ++i) {
        devices.emplace_back(std::to_string(i), deployment.MakeDevice(std::to_string(i)));
        MakeArea(devices.back().second + "\\userroot\\storage", AreaName(0), "open");
    }
    const std::string root = deployment.MakeDevice("all");
    MakeAreas(root + "\\userroot\\storage", 0, count);
    const auto browse = Proc<vorlanx_browse_category_fn>(deployment.Load("vorlanx.dll"),
                                                         "vorlanx_browse_category");
    // What the file system alone takes for each: a device's root checked and its storage
    // folder listed, each area's login.ctl read.
    const auto bare = [](const std::vector<std::string>& roots) {
        const auto start = Clock::now();
        WIN32_FIND_DATAA data;
        char section[4096];
        for (const std::string& root : roots) {
            GetFileAttributesA(root.c_str());
            const std::string storage = root + "\\userroot\\storage";
            const HANDLE find = FindFirstFileA((storage + "\\*").c_str(), &data);
            for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &data))
                if (data.cFileName[0] != '.')
                    GetPrivateProfileSectionA("login", section, sizeof section,
                                              (storage + "\\" + data.cFileName + "\\login.ctl").c_str());
            FindClose(find);
        }
        return Ms(Clock::now() - start);
    };
    std::vector<std::string> roots;
    for (const auto& device : devices)
        roots.push_back(device.second);
    double ours = 1e30, floor = 1e30, bareMany = 1e30, bareOne = 1e30;
    for (int round = 0; round < 3; ++round) {
        deployment.WriteStorageIni(devices);
        ours = std::min(ours, Browse(browse, "1"));
        deployment.WriteStorageIni({{"1", root}});
        floor = std::min(floor, Browse(browse, "1"));
        bareMany = std::min(bareMany, bare(roots));
        bareOne = std::min(bareOne, bare({root}));
    }
    printf("%d devices of one area: %.1f ms, one device of %d areas: %.1f ms, ratio %.2f\n", count,
           ours, count, floor, ours / floor);
    printf("the file system alone, listing and reading the same: %.1f ms against %.1f ms, "
           "ratio %.2f\n", bareMany, bareOne, bareMany / bareOne);
}

void LargeStorageIni()
{
    Deployment deployment;
    const std::string root = deployment.MakeDevice("1");
    MakeArea(root + "\\userroot\\storage", "AREA1", "open");
    std::string ini = "[devices]\r\n";
    for (int i = 0; i < 100000; ++i)
        ini += "D" + std::to_string(i) + " = C:\\nowhere\\" + std::to_string(i) + "\r\n";
    WriteTextFile(deployment.Folder() + "\\storage.ini", ini + "1 = " + root + "\r\n");
    Sleep(2500);  // a file changed in the last two seconds is read afresh by every call
    const auto readonly = Proc<int(__cdecl*)(const char*, const char*)>(
        deployment.Load("talmor.dll"), "talmor_IsAreaReadonly");
    const auto timed = [&] {
        const auto start = Clock::now();
        readonly("1", "AREA1");
        return Ms(Clock::now() - start);
    };
    const double first = timed();
    double later = 1e30;
    for (int i = 0; i < 20; ++i)
        later = std::min(later, timed());
    printf("a store call on a storage.ini of 100,000 lines: the first %.1f ms, a later one %.2f ms, "
           "ratio %.0f\n", first, later, first / later);
}

// The host's text of a name made of prefix and the number as AreaName makes it.
std::string HostName(const wchar_t* prefix, int i)
{
    wchar_t wide[32];
    swprintf(wide, 32, L"%ls%05d", prefix, i);
    char name[64] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, name, sizeof name, nullptr, nullptr);
    return name;
}

// The names' trees beside the areas' (scripts/bench lays them out): 10,000 areas each, named as
// the prefix and a number, each with its login.ctl.
const struct {
    const char* tree;
    const wchar_t* prefix;
} kNameTrees[] = {{"japanese", L"\u9818\u57df"}, {"latin", L"\u00c4REA"}};

// In a host of its own code page: the browse of 10,000 areas named outside ASCII against the
// same count of ASCII ones, each device kind with a storage.ini of its own, the two trees in
// turn.
void NamesHost(const std::string& tree, unsigned codePage)
{
    const std::string trees = getenv("VORLANX_BENCH_AREAS");
    if (GetACP() != codePage) {
        printf("%8u: skipped, the host's code page is %u\n", codePage, GetACP());
        return;
    }
    const wchar_t* prefix = nullptr;
    for (const auto& names : kNameTrees)
        prefix = tree == names.tree ? names.prefix : prefix;
    const std::string ascii = trees + "\\10000", other = trees + "\\names-" + tree;
    const std::string storage = other + "\\userroot\\storage\\";
    if (!prefix || !Exists(storage + HostName(prefix, 9999) + "\\login.ctl")) {
        printf("%8u: skipped, %s not laid out\n", codePage, other.c_str());
        return;
    }
    const std::string firstOther = HostName(prefix, 0);
    Deployment deployment;
    const auto browse = Proc<vorlanx_browse_category_fn>(deployment.Load("vorlanx.dll"),
                                                         "vorlanx_browse_category");
    for (const char* device : {"C:", "1"}) {
        Best asciiBest, otherBest;
        for (int round = 0; round < 3; ++round) {
            for (int side = 0; side < 2; ++side) {
                const bool isOther = (side + round) % 2;
                deployment.WriteStorageIni({{device, isOther ? other : ascii}});
                (isOther ? otherBest : asciiBest).Take([&] {
                    return OpenTime(browse, device,
                                    isOther ? firstOther.c_str() : AreaName(0).c_str());
                });
            }
        }
        const double asciiWork = asciiBest.processorMs + asciiBest.serverMs;
        const double otherWork = otherBest.processorMs + otherBest.serverMs;
        printf("%8u %6s %10.1f %10.1f %6.2f | %8.0f %8.0f %8.0f %8.0f %6.2f\n", codePage, device,
               otherBest.ms, asciiBest.ms, otherBest.ms / asciiBest.ms, otherBest.processorMs,
               otherBest.serverMs, asciiBest.processorMs, asciiBest.serverMs,
               otherWork / asciiWork);
    }
}

// What a host of this program printed: one of the code page that Wine takes from locale (a Unix
// program that starts it, as Wine takes the locale from the Unix environment of the process),
// or one that program starts here.
std::string HostPrinted(const std::string& program, const std::string& arguments,
                        const char* locale)
{
    std::string printed;
    if (!locale) {
        if (Run(".", "\"" + program + "\" " + arguments, &printed) < 0)
            return program + " did not start\n";
        return printed;
    }
    const std::string out = UnixPath(ThisProgram()) + ".host", done = out + ".done";
    const char* prefix = getenv("WINEPREFIX");
    if (!prefix || !StartUnixCommand("WINEPREFIX='" + std::string(prefix) + "' LC_ALL=" + locale +
                                     " wine '" + UnixPath(program) + "' " + arguments + " >'" +
                                     out + "' 2>/dev/null; mv '" + out + "' '" + done + "'"))
        return "a host in " + std::string(locale) + " did not start\n";
    // Wine gives no handle to wait for a Unix process: its output's last name tells.
    const std::string windowsDone = "Z:" + done;
    while (GetFileAttributesA(windowsDone.c_str()) == INVALID_FILE_ATTRIBUTES)
        Sleep(200);
    printed = ReadTextFile(windowsDone);
    DeleteFileA(windowsDone.c_str());
    return printed;
}

// A process has one code page: each host is a process of this program (932 from the Japanese
// locale, 1252 from the default one) or of its copy whose manifest asks for UTF-8 (65001).
void NamesAgainstAscii()
{
    const char* trees = getenv("VORLANX_BENCH_AREAS");
    if (!trees || !*trees) {
        printf("names outside ASCII: skipped: VORLANX_BENCH_AREAS names no laid-out trees\n");
        return;
    }
    printf("10000 areas named outside ASCII against 10000 ASCII ones, in a host of each code\n"
           "page, on a drive-letter and a numbered device: the browse call until its dialog is\n"
           "up; beside it the processor time of the host's threads and of the Wine server\n");
    printf("%15s %21s %6s | %17s %17s %6s\n", "", "ms", "", "outside cpu ms", "ascii cpu ms", "");
    printf("%8s %6s %10s %10s %6s | %8s %8s %8s %8s %6s\n", "host", "device", "outside",
           "ascii", "ratio", "process", "server", "process", "server", "ratio");
    const std::string self = ThisProgram();
    const std::string utf8 = self.substr(0, self.size() - 4) + "_utf8.exe";
    const struct {
        const char* locale;
        const std::string& program;
        const char* tree;
        unsigned codePage;
    } hosts[] = {{"ja_JP.UTF-8", self, "japanese", 932},
                 {nullptr, self, "latin", 1252},
                 {nullptr, utf8, "japanese", 65001}};
    for (const auto& host : hosts)
        printf("%s", HostPrinted(host.program,
                                 std::string("names-host ") + host.tree + " " +
                                     std::to_string(host.codePage),
                                 host.locale)
                         .c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);  // each figure as soon as it is measured
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const std::string only = argc > 1 ? argv[1] : "";
    if (only.empty() || only == "areas")
        AreasAgainstFloor(argc > 2 ? atoi(argv[2]) : 200000, argc > 3 ? argv[3] : "");
    if (only.empty() || only == "devices")
        DevicesAgainstAreas();
    if (only.empty())
        LargeStorageIni();
    if (only.empty() || only == "names")
        NamesAgainstAscii();
    if (only == "names-host" && argc > 3)
        NamesHost(argv[2], unsigned(atoi(argv[3])));
    return 0;
}
