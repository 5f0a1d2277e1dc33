// The browser on our real store: 1,000 storage areas as folders on disk, opened through the
// shipped vorlanx.dll, side by side with the system's folder picker (SHBrowseForFolder) opening
// on the same 1,000 folders; then the browser alone on 10,000 areas. Each figure is the whole
// call, from the call until the dialog, shown and cancelled, has returned.
#include "bench_support.h"

#include <objbase.h>
#include <shlobj.h>

namespace {

double Browse(vorlanx_browse_category_fn browse)
{
    DialogDriver driver([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    const auto start = Clock::now();
    free(browse(nullptr, "C:", AreaName(0).c_str()));
    return Ms(Clock::now() - start);
}

int CALLBACK SelectFirstArea(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED)  // reveals the first area: its folder's 1,000 are listed
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

double FolderPicker(const std::string& firstArea)
{
    DialogDriver driver([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    BROWSEINFOA info = {};
    char name[MAX_PATH];
    info.pszDisplayName = name;
    info.lpszTitle = "Storage";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = SelectFirstArea;
    info.lParam = reinterpret_cast<LPARAM>(firstArea.c_str());
    const auto start = Clock::now();
    if (LPITEMIDLIST chosen = SHBrowseForFolderA(&info))
        CoTaskMemFree(chosen);
    return Ms(Clock::now() - start);
}

}  // namespace

int main()
{
    CoInitialize(nullptr);
    Deployment deployment;
    const std::string root = deployment.MakeDevice("c");
    const std::string storage = root + "\\userroot\\storage";
    deployment.WriteStorageIni({{"C:", root}});
    MakeAreas(storage, 0, 1000);
    const auto browse = Proc<vorlanx_browse_category_fn>(deployment.Load("vorlanx.dll"), "vorlanx_browse_category");
    if (!browse)
        return 1;

    double ours = 1e30, picker = 1e30;
    for (int round = 0; round < 3; ++round) {
        ours = std::min(ours, Browse(browse));
        picker = std::min(picker, FolderPicker(storage + "\\" + AreaName(0)));
    }
    printf("1,000 areas on disk: browser %.1f ms, SHBrowseForFolder %.1f ms, ratio %.2f\n", ours,
           picker, ours / picker);

    MakeAreas(storage, 1000, 10000);
    double big = 1e30;
    for (int round = 0; round < 2; ++round)
        big = std::min(big, Browse(browse));
    printf("10,000 areas on disk: browser %.1f ms\n", big);
    CoUninitialize();
    return 0;
}
