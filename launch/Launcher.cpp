// The launch itself: a shell-link object writes the shortcut, the shell opens it, and it goes.
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

// The shell's own result codes, for when it fails without setting the last error.
DWORD SystemErrorOf(INT_PTR shellResult)
{
    switch (shellResult) {
    case 0:
        return ERROR_OUTOFMEMORY;
    case SE_ERR_SHARE:
        return ERROR_SHARING_VIOLATION;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC:
        return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY:
        return ERROR_DDE_FAIL;
    case SE_ERR_DLLNOTFOUND:
        return ERROR_DLL_NOT_FOUND;
    default: // file and path not found, access denied and out of memory share their numbers
        return static_cast<DWORD>(shellResult);
    }
}

// Some descriptions name the program that failed as "%1" (Wine's "Bad EXE format for %1"
// for a game that is not there); the user should read which program that was.
std::string DescribeShellError(DWORD error, const std::string& gamePath)
{
    std::string text = EOleSysError::Describe(static_cast<long>(error));
    for (size_t at = text.find("%1"); at != std::string::npos; at = text.find("%1", at)) {
        text.replace(at, 2, gamePath);
        at += gamePath.size();
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
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
    const DWORD length = GetTempPathA(sizeof folder, folder);
    // Without a temporary folder the shortcut would land in whatever the current folder is.
    if (length == 0 || length > MAX_PATH)
        throw EOleSysError(static_cast<long>(HRESULT_FROM_WIN32(GetLastError())));
    return std::string(folder, length) + "ET_START.lnk";
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

    // The shell must not show a box of its own: a failure is reported once, by the caller.
    SHELLEXECUTEINFOA open{};
    open.cbSize = sizeof open;
    open.fMask = SEE_MASK_FLAG_NO_UI;
    open.hwnd = owner;
    open.lpFile = shortcut.c_str();
    open.nShow = SW_SHOWNORMAL;
    const bool opened = ShellExecuteExA(&open) != FALSE;
    const DWORD lastError = opened ? 0 : GetLastError();
    DeleteFileA(shortcut.c_str());
    const auto result = reinterpret_cast<INT_PTR>(open.hInstApp);
    if (!opened || result <= 32)
        throw Exception(
            DescribeShellError(lastError ? lastError : SystemErrorOf(result), gamePath));
}
