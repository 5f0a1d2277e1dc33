#include "language_messages.h"

#include "dialog_driver.h"
#include "resource.h"
#include "subfolder_driver.h"
#include "support/fixtures/deployment.h"
#include "support/store/fake_store.h"
#include "vorlanx.h"

#include "framework/module_state.h"

namespace {

// The box's bytes are in the code page of the process.
std::wstring FromAnsi(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                    wide.data(), static_cast<int>(wide.size())));
    return wide;
}

}  // namespace

LanguageMessages SubFolderMessagesIn(const std::string& tag)
{
    LanguageMessages messages;
    HMODULE library = LoadLibraryExA((BinFolder() + "\\lang\\" + tag + "\\vorlanxres.dll").c_str(),
                                     nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!library)
        return messages;
    for (UINT id : {IDS_SUBFOLDER_NAME_RULE, IDS_SUBFOLDER_EXISTS}) {
        const wchar_t* text = nullptr;
        const int length = LoadStringW(library, id, reinterpret_cast<LPWSTR>(&text), 0);
        messages.held.push_back(length > 0 ? std::wstring(text, length) : std::wstring());
    }
    FakeStore& fake = Fake();
    fake.Reset();
    fake.devices = {"1"};
    fake.areas["1"] = {"AREA1"};
    fake.newResult = VORLANX_ERR_EXISTS;
    AFX_MODULE_STATE state = *AfxGetModuleState();
    state.m_hCurrentResourceHandle = library;
    {
        AFX_MAINTAIN_STATE2 scope(&state);
        const Outcome outcome = RightClick("AREA1", "AREA1", kNew, [](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_SUBFOLDER_NAME, "A B");
            ClickButton(dialog, IDOK);
            SetDlgItemTextA(dialog, IDC_SUBFOLDER_NAME, "CAT");
            ClickButton(dialog, IDOK);
        });
        for (const std::string& shown : outcome.messages)
            messages.shown.push_back(FromAnsi(shown));
    }
    FreeLibrary(library);
    return messages;
}
