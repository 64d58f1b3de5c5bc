#include "launch/Launcher.h"

#include "platform/Classes.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

CreateInstanceFn LauncherCreateInstance = CoCreateInstance;

namespace {

// One reference to a COM object, released when it goes.
template <class T> class ComRef {
public:
    ComRef() = default;
    ~ComRef()
    {
        if (p_)
            p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T* operator->() const { return p_; }
    void** put() { return reinterpret_cast<void**>(&p_); }

private:
    T* p_ = nullptr;
};

std::wstring Widen(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length > 0 ? length - 1 : 0));
    return wide;
}

constexpr const char* ConnectArguments = " connect ";

} // namespace

std::string WorkingFolderOf(const std::string& gamePath, UINT codePage)
{
    size_t end = 0;
    for (size_t i = 0; i < gamePath.size(); ++i) {
        const auto c = static_cast<BYTE>(gamePath[i]);
        if (IsDBCSLeadByteEx(codePage, c) && i + 1 < gamePath.size()) {
            ++i; // the trail byte may look like a backslash, but is part of a character
            continue;
        }
        if (c == '\\' || c == ':')
            end = i + 1;
    }
    return gamePath.substr(0, end);
}

std::string LaunchShortcutPath()
{
    char folder[MAX_PATH + 1]{};
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + "ET_START.lnk";
}

void LaunchGame(const std::string& gamePath, const std::string& address, HWND owner)
{
    ComRef<IUnknown> object;
    OleCheck(LauncherCreateInstance(CLSID_ShellLink, nullptr,
                                    CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                    object.put()));
    ComRef<IShellLinkA> link;
    if (FAILED(object->QueryInterface(IID_IShellLinkA, link.put())))
        throw EIntfCastError();
    ComRef<IPersistFile> file;
    if (FAILED(object->QueryInterface(IID_IPersistFile, file.put())))
        throw EIntfCastError();

    link->SetArguments((ConnectArguments + address).c_str());
    link->SetPath(gamePath.c_str());
    link->SetWorkingDirectory(WorkingFolderOf(gamePath).c_str());

    const std::string shortcut = LaunchShortcutPath();
    const HRESULT saved = file->Save(Widen(shortcut).c_str(), FALSE);
    if (FAILED(saved)) {
        DeleteFileA(shortcut.c_str());
        throw EOleSysError(saved);
    }

    // The shell must not show a box of its own: a failure is reported once, by us.
    SHELLEXECUTEINFOA open{};
    open.cbSize = sizeof open;
    open.fMask = SEE_MASK_FLAG_NO_UI;
    open.hwnd = owner;
    open.lpFile = shortcut.c_str();
    open.nShow = SW_SHOWNORMAL;
    const bool opened = ShellExecuteExA(&open) != FALSE;
    const DWORD error = opened ? 0 : GetLastError();
    DeleteFileA(shortcut.c_str());
    const auto result = reinterpret_cast<INT_PTR>(open.hInstApp);
    if (!opened || result <= 32)
        throw Exception(EOleSysError::Describe(error ? static_cast<long>(error)
                                                     : static_cast<long>(result)));
}
