#include "language_messages.h"

#include "resource.h"
#include "dialog_driver.h"
#include "subfolder_driver.h"
#include "support/fixtures/deployment.h"
#include "support/store/fake_store.h"
#include "vorlanx.h"

#include "framework/module_state.h"

namespace {

std::string Utf8(const std::wstring& text)
{
    std::string out(text.size() * 4, '\0');
    out.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                   out.data(), static_cast<int>(out.size()), nullptr, nullptr));
    return out;
}

// The box's bytes are in the code page of the process.
std::string Utf8FromAnsi(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                    wide.data(), static_cast<int>(wide.size())));
    return Utf8(wide);
}

std::string Held(HMODULE library, UINT id)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(library, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? Utf8(std::wstring(text, length)) : "(none)";
}

}  // namespace

LanguageMessages SubFolderMessagesIn(const std::string& tag)
{
    LanguageMessages messages;
    HMODULE library = LoadLibraryExA((BinFolder() + "\\lang\\" + tag + "\\vorlanxres.dll").c_str(),
                                     nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!library)
        return messages;
    for (UINT id : {IDS_SUBFOLDER_NAME_RULE, IDS_SUBFOLDER_EXISTS})
        messages.held.push_back(Held(library, id));
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
            messages.shown.push_back(Utf8FromAnsi(shown));
    }
    FreeLibrary(library);
    return messages;
}
