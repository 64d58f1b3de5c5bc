// Window handles, the message thunk and the catch at the dispatch.
#include "platform/Window.h"

#include <set>
#include <string>

TWindowHandle::~TWindowHandle() { DestroyHandle(); }

void TWindowHandle::CreateHandle(const CreateArgs& args)
{
    static std::set<std::string> registered;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (registered.insert(args.className).second) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = args.classStyle;
        wc.lpfnWndProc = WindowProcThunk;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hIcon = args.icon;
        wc.hbrBackground = args.background;
        wc.lpszClassName = args.className;
        RegisterClassExA(&wc);
    }
    CreateWindowExA(args.exStyle, args.className, args.title, args.style, args.x, args.y,
                    args.width, args.height, args.parent, nullptr, instance, this);
}

void TWindowHandle::DestroyHandle()
{
    if (hwnd_) {
        HWND hwnd = hwnd_;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
}

LRESULT TWindowHandle::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK TWindowHandle::WindowProcThunk(HWND hwnd, UINT msg, WPARAM wParam,
                                                LPARAM lParam)
{
    auto* self = reinterpret_cast<TWindowHandle*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self && msg == WM_NCCREATE) {
        self = static_cast<TWindowHandle*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    ReportingExceptions([&] { result = self->WndProc(msg, wParam, lParam); });
    return result;
}
