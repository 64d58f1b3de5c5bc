// The application object, forms built from their description, and the controls.
#include "platform/Forms.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <new>

TApplication* Application = nullptr;

COLORREF ColorToRGB(TColor color)
{
    // A system colour the platform does not know yields 0, which is black.
    return color < 0 ? GetSysColor(color & 0xFF) : static_cast<COLORREF>(color);
}

std::string FailureReportText(const std::string& message)
{
    if (message.empty() || static_cast<unsigned char>(message.back()) <= '.')
        return message;
    return message + ".";
}

void ReportCurrentException()
{
    std::string message;
    try {
        throw;
    } catch (const std::bad_alloc&) {
        message = "Out of memory";
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message = "Unknown failure";
    }
    if (Application)
        Application->ShowException(message);
    else
        MessageBoxA(nullptr, FailureReportText(message).c_str(), "", MB_OK | MB_ICONSTOP);
}

namespace {

HFONT MakeFont(const TFont& font)
{
    return CreateFontA(font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, font.Name);
}

struct ControlClass {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassOf(const TControlDesc& d)
{
    switch (d.Kind) {
    case TControlKind::Panel:
        return {"STATIC", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case TControlKind::Label:
        // Notifying labels get mouse messages, which hints, cursors and clicks need.
        return {"STATIC", SS_LEFTNOWORDWRAP | SS_NOTIFY, 0};
    case TControlKind::ComboBox:
        return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0};
    case TControlKind::Edit:
        return {"EDIT", ES_AUTOHSCROLL | (d.ReadOnly ? ES_READONLY : 0u), WS_EX_CLIENTEDGE};
    case TControlKind::Button:
        return {"BUTTON", BS_PUSHBUTTON, 0};
    case TControlKind::CheckBox:
        return {"BUTTON", BS_AUTOCHECKBOX | (d.LeftText ? BS_LEFTTEXT : 0u), 0};
    case TControlKind::Bevel:
        // Drawn by the form: the etched static styles resize themselves.
        return {"STATIC", SS_OWNERDRAW, 0};
    }
    return {"STATIC", 0, 0};
}

constexpr const char* ControlProp = "PlatformControl";
constexpr int ComboDropDownCount = 8;

} // namespace

// ---------------------------------------------------------------------------------------
// TControl

TControl::TControl(TForm* form, const TControlDesc& desc)
    : TComponent(form), form_(form), desc_(desc), hint_(desc.Hint ? desc.Hint : ""),
      showHint_(hint_.size() > 0), font_(desc.Font), color_(desc.Color)
{
    Name = desc.Name;
    hfont_ = MakeFont(font_);
    brush_ = CreateSolidBrush(ColorToRGB(color_));
    CreateWnd(0);
}

TControl::~TControl()
{
    if (hwnd_) {
        form_->RemoveToolTip(hwnd_);
        DestroyWindow(hwnd_);
    }
    DeleteObject(hfont_);
    DeleteObject(brush_);
}

void TControl::CreateWnd(DWORD extraStyle)
{
    std::string caption = desc_.Caption ? desc_.Caption : "";
    // A control made anew takes the old one's place in the window order, which is the tab
    // order; a new control goes to the end.
    HWND after = HWND_BOTTOM;
    if (hwnd_) {
        caption = Caption();
        HWND previous = GetWindow(hwnd_, GW_HWNDPREV);
        after = previous ? previous : HWND_TOP;
        form_->RemoveToolTip(hwnd_);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    const ControlClass cls = ClassOf(desc_);
    DWORD style = WS_CHILD | WS_VISIBLE | cls.style | extraStyle;
    if (desc_.TabOrder >= 0 && desc_.TabStop)
        style |= WS_TABSTOP;
    int height = desc_.Height;
    if (desc_.Kind == TControlKind::ComboBox)
        height = desc_.Height + ComboDropDownCount * (-font_.Height + 4) + 2;
    hwnd_ = CreateWindowExA(cls.exStyle, cls.className, caption.c_str(), style, desc_.Left,
                            desc_.Top, desc_.Width, height, form_->Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(desc_.Id)),
                            GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(hwnd_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(hfont_), FALSE);
    SetPropA(hwnd_, ControlProp, this);
    baseProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    if (desc_.Kind == TControlKind::ComboBox) {
        // The selection field follows the font unless told otherwise; the layout's height
        // is the closed control's whole height.
        RECT r;
        GetWindowRect(hwnd_, &r);
        const int field = static_cast<int>(SendMessageA(hwnd_, CB_GETITEMHEIGHT, WPARAM(-1), 0));
        const int closed = static_cast<int>(r.bottom - r.top);
        if (closed != desc_.Height)
            SendMessageA(hwnd_, CB_SETITEMHEIGHT, WPARAM(-1), field + desc_.Height - closed);
    }
    if (desc_.Kind == TControlKind::Label)
        FitLabelToText();
    form_->SetToolTip(hwnd_, hint_, showHint_);
}

void TControl::FitLabelToText()
{
    // A label grows to show its whole text in one line where the font runs wider than the
    // one the layout was made with; it never shrinks below its laid-out size.
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, hfont_);
    const std::string text = Caption();
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    const int width = std::max(desc_.Width, static_cast<int>(r.right));
    const int height = std::max(desc_.Height, static_cast<int>(r.bottom));
    if (width != desc_.Width || height != desc_.Height)
        SetWindowPos(hwnd_, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string TControl::Caption() const
{
    const int length = GetWindowTextLengthA(hwnd_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(hwnd_, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

void TControl::SetCaption(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

void TControl::SetHint(const std::string& hint)
{
    hint_ = hint;
    form_->SetToolTip(hwnd_, hint_, showHint_);
}

void TControl::SetShowHint(bool show)
{
    showHint_ = show;
    form_->SetToolTip(hwnd_, hint_, showHint_);
}

void TControl::SetFontColor(TColor color)
{
    font_.Color = color;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

RECT TControl::BoundsRect() const
{
    RECT r;
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(HWND_DESKTOP, form_->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void TControl::Notify(WORD) {}

HBRUSH TControl::CtlColor(HDC dc)
{
    SetTextColor(dc, ColorToRGB(font_.Color));
    SetBkColor(dc, ColorToRGB(color_));
    return brush_;
}

LRESULT TControl::CallBaseProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(baseProc_, hwnd_, msg, wParam, lParam);
}

LRESULT TControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETCURSOR:
        if (desc_.Cursor == TCursor::HandPoint && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        if (!mouseInside_) {
            mouseInside_ = true;
            TRACKMOUSEEVENT tme{};
            tme.cbSize = sizeof tme;
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = hwnd_;
            TrackMouseEvent(&tme);
            if (OnMouseEnter)
                OnMouseEnter(this);
        }
        break;
    case WM_MOUSELEAVE:
        mouseInside_ = false;
        if (OnMouseLeave)
            OnMouseLeave(this);
        break;
    }
    return CallBaseProc(msg, wParam, lParam);
}

LRESULT CALLBACK TControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<TControl*>(GetPropA(hwnd, ControlProp));
    if (!self)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        WNDPROC base = self->baseProc_;
        RemovePropA(hwnd, ControlProp);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
        if (self->hwnd_ == hwnd)
            self->hwnd_ = nullptr;
        return CallWindowProcA(base, hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    ReportingExceptions([&] { result = self->WndProc(msg, wParam, lParam); });
    return result;
}

void TEdit::SetText(const std::string& text)
{
    // Setting the same text again is no change and raises no change event.
    if (text != GetText())
        SetCaption(text);
}

void TEdit::Notify(WORD code)
{
    if (code == EN_CHANGE && OnChange)
        OnChange(this);
}

void TButton::Notify(WORD code)
{
    if (code == BN_CLICKED && OnClick)
        OnClick(this);
}

bool TCheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked)
{
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TLabel::Notify(WORD code)
{
    if (code == STN_CLICKED && OnClick)
        OnClick(this);
}

// ---------------------------------------------------------------------------------------
// TComboBox

class TComboBox::ItemList : public TStrings {
public:
    explicit ItemList(TComboBox& combo) : combo_(combo) {}
    int Count() const override { return static_cast<int>(Send(CB_GETCOUNT, 0, 0)); }
    std::string Get(int index) const override
    {
        const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length == CB_ERR)
            return {};
        std::string text(static_cast<size_t>(length) + 1, '\0');
        const LRESULT got = Send(CB_GETLBTEXT, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(text.data()));
        text.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
        return text;
    }
    void Add(const std::string& s) override
    {
        if (Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str())) < 0)
            throw std::bad_alloc();
    }
    void Clear() override { Send(CB_RESETCONTENT, 0, 0); }
    void BeginUpdate() override
    {
        if (updates_++ == 0)
            Send(WM_SETREDRAW, FALSE, 0);
    }
    void EndUpdate() override
    {
        if (--updates_ == 0) {
            Send(WM_SETREDRAW, TRUE, 0);
            InvalidateRect(combo_.Handle(), nullptr, TRUE);
        }
    }

private:
    LRESULT Send(UINT msg, WPARAM wParam, LPARAM lParam) const
    {
        return SendMessageA(combo_.Handle(), msg, wParam, lParam);
    }
    TComboBox& combo_;
    int updates_ = 0;
};

TComboBox::TComboBox(TForm* form, const TControlDesc& desc)
    : TControl(form, desc), items_(std::make_unique<ItemList>(*this))
{
}

int TComboBox::ItemIndex() const
{
    return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index)
{
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string TComboBox::GetText() const
{
    const int index = ItemIndex();
    return index >= 0 ? items_->Get(index) : std::string();
}

void TComboBox::SetSorted(bool sorted)
{
    if (sorted == sorted_)
        return;
    // The list control sorts only when made sorting, so it is made anew with its entries.
    std::vector<std::string> entries;
    for (int i = 0; i < items_->Count(); ++i)
        entries.push_back(items_->Get(i));
    const int index = ItemIndex();
    sorted_ = sorted;
    CreateWnd(sorted ? CBS_SORT : 0);
    for (const auto& e : entries)
        items_->Add(e);
    SetItemIndex(index);
}

void TComboBox::Notify(WORD code)
{
    if (code == CBN_SELCHANGE && OnChange)
        OnChange(this);
}

void TComboBox::TypeAhead(char ch)
{
    const DWORD now = GetTickCount();
    if (ch == '\b') {
        if (!search_.empty())
            search_.pop_back();
    } else {
        if (now - lastKeyTime_ >= 500)
            search_.clear();
        search_ += ch;
    }
    lastKeyTime_ = now;

    const int before = ItemIndex();
    int found = -1;
    for (int i = 0; !search_.empty() && i < items_->Count(); ++i) {
        const std::string item = items_->Get(i);
        if (item.size() >= search_.size() &&
            CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, item.data(),
                           static_cast<int>(search_.size()), search_.data(),
                           static_cast<int>(search_.size())) == CSTR_EQUAL) {
            found = i;
            break;
        }
    }
    if (found >= 0 && found != before)
        SetItemIndex(found);
    // Backspace loads the selected entry again even when the selection stays.
    if ((found >= 0 && found != before) || ch == '\b')
        Notify(CBN_SELCHANGE);
}

LRESULT TComboBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CHAR && (wParam >= ' ' || wParam == '\b')) {
        TypeAhead(static_cast<char>(wParam));
        return 0;
    }
    return TControl::WndProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// TForm

TForm::TForm(TComponent* AOwner, const TFormDesc& desc) : TComponent(AOwner), desc_(desc)
{
    Name = desc.Name;
    brush_ = CreateSolidBrush(ColorToRGB(desc.Color));
    hfont_ = MakeFont(desc.Font);

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
    RECT r{0, 0, desc.ClientWidth, desc.ClientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    CreateArgs args;
    args.className = desc.Name;
    args.title = desc.Caption;
    args.style = style;
    args.exStyle = exStyle;
    args.width = r.right - r.left;
    args.height = r.bottom - r.top;
    args.background = brush_;
    CreateHandle(args);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(hfont_), FALSE);

    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, 500);
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 2500);

    // Controls are made in tab order, so that the window order is the tab order; controls
    // that take no focus follow.
    std::vector<const TControlDesc*> order;
    for (const auto& c : desc.Controls)
        order.push_back(&c);
    std::stable_sort(order.begin(), order.end(), [](const TControlDesc* a, const TControlDesc* b) {
        const int ka = a->TabOrder < 0 ? 1 << 30 : a->TabOrder;
        const int kb = b->TabOrder < 0 ? 1 << 30 : b->TabOrder;
        return ka < kb;
    });
    for (const TControlDesc* c : order) {
        TControl* control = nullptr;
        switch (c->Kind) {
        case TControlKind::Edit:
            control = new TEdit(this, *c);
            break;
        case TControlKind::Button:
            control = new TButton(this, *c);
            break;
        case TControlKind::CheckBox:
            control = new TCheckBox(this, *c);
            break;
        case TControlKind::ComboBox:
            control = new TComboBox(this, *c);
            break;
        case TControlKind::Label:
            control = new TLabel(this, *c);
            break;
        case TControlKind::Panel:
        case TControlKind::Bevel:
            control = new TControl(this, *c);
            break;
        }
        controls_.push_back(control);
    }
}

TForm::~TForm()
{
    // Controls go before the window that holds them.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        delete *it;
    controls_.clear();
    if (tooltip_)
        DestroyWindow(tooltip_);
    DestroyHandle();
    DeleteObject(hfont_);
    DeleteObject(brush_);
}

TControl* TForm::FindControl(const char* name) const
{
    for (TControl* c : controls_)
        if (c->Name == name)
            return c;
    throw Exception(std::string("Control ") + name + " not found");
}

TControl* TForm::ControlOf(HWND hwnd) const
{
    for (TControl* c : controls_) {
        if (c->Handle() == hwnd)
            return c;
        // A combo box's dropped list asks for its colours through the combo box's parent.
        if (dynamic_cast<TComboBox*>(c)) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            if (GetComboBoxInfo(c->Handle(), &info) && info.hwndList == hwnd)
                return c;
        }
    }
    return nullptr;
}

void TForm::SetToolTip(HWND control, const std::string& text, bool show)
{
    if (!tooltip_ || !control)
        return;
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    const bool known = SendMessageA(tooltip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti));
    if (!show || text.empty()) {
        if (known)
            SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        return;
    }
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tooltip_, known ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0,
                 reinterpret_cast<LPARAM>(&ti));
}

void TForm::RemoveToolTip(HWND control) { SetToolTip(control, "", false); }

void TForm::AfterConstruction()
{
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* loadable = dynamic_cast<TLoadable*>(Component(i)))
            loadable->Loaded();
    if (OnCreate)
        ReportingExceptions([&] { OnCreate(this); });
}

bool TForm::Visible() const { return IsWindowVisible(Handle()) != FALSE; }

void TForm::PlaceOnDesktop()
{
    RECT r;
    GetWindowRect(Handle(), &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int x = std::max(0, (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2);
    const int y = std::max(0, (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2);
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Show()
{
    // Only the first showing places the window; later ones keep where the user left it.
    if (!placed_) {
        placed_ = true;
        if (desc_.DesktopCenter)
            PlaceOnDesktop();
    }
    ShowWindow(Handle(), SW_SHOW);
}

void TForm::Hide() { ShowWindow(Handle(), SW_HIDE); }

bool TForm::Minimized() const { return IsIconic(Handle()) != FALSE; }

void TForm::Restore() { ShowWindow(Handle(), SW_RESTORE); }

void TForm::Close()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    if (!canClose)
        return;
    Hide();
    if (Application && Application->MainForm() == this)
        Application->Terminate();
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_QUERYENDSESSION:
        // The session may always end, at once and without asking the user anything.
        return 1;
    case WM_ENDSESSION:
        if (wParam && Application)
            Application->Halt();
        return 0;
    case WM_COMMAND:
        if (lParam) {
            if (TControl* c = ControlOf(reinterpret_cast<HWND>(lParam)))
                c->Notify(HIWORD(wParam));
        }
        return 0;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_STATIC) {
            // A lowered box: shadow above and left, highlight below and right.
            RECT r = item->rcItem;
            DrawEdge(item->hDC, &r, BDR_SUNKENOUTER, BF_RECT);
            return TRUE;
        }
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
        if (TControl* c = ControlOf(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = c->CtlColor(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus))
                lastFocus_ = focus;
        } else {
            if (lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_))
                SetFocus(lastFocus_);
            else if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE))
                SetFocus(first);
        }
        return 0;
    }
    return TWindowHandle::WndProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// TApplication

TApplication::TApplication() : TComponent(nullptr)
{
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&icc);

    CreateArgs args;
    args.className = "TApplication";
    args.style = WS_POPUP;
    CreateHandle(args);
}

TApplication::~TApplication()
{
    while (ComponentCount() > 0)
        delete Component(ComponentCount() - 1);
    mainForm_ = nullptr;
    DestroyHandle();
    if (comInitialized_)
        CoUninitialize();
    if (Application == this)
        Application = nullptr;
}

void TApplication::Initialize() { comInitialized_ = SUCCEEDED(CoInitialize(nullptr)); }

void TApplication::SetTitle(const std::string& title)
{
    title_ = title;
    SetWindowTextA(Handle(), title_.c_str());
}

void TApplication::Run()
{
    if (mainForm_ && ShowMainForm)
        mainForm_->Show();
    MSG msg;
    while (!terminated_ && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (mainForm_ && root == mainForm_->Handle() && IsDialogMessageA(root, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void TApplication::Terminate()
{
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::Halt()
{
    delete this;
    ExitProcess(0);
}

bool TApplication::Minimized() const
{
    // The application's own window is never on screen, so only a form can be minimised.
    return false;
}

void TApplication::Restore() {}

void TApplication::BringToFront()
{
    if (mainForm_ && mainForm_->Visible())
        SetForegroundWindow(mainForm_->Handle());
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    return Modal([&] { return ::MessageBoxA(Handle(), text.c_str(), caption.c_str(), flags); });
}

void TApplication::ShowException(const std::string& message)
{
    MessageBox(FailureReportText(message), title_, MB_OK | MB_ICONSTOP);
}

LRESULT TApplication::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_QUERYENDSESSION:
        return 1;
    case WM_ENDSESSION:
        if (wParam)
            Halt();
        return 0;
    }
    return TWindowHandle::WndProc(msg, wParam, lParam);
}

TApplication::DisabledWindows::DisabledWindows(HWND except)
    : active_(GetActiveWindow()), focus_(GetFocus())
{
    struct Context {
        HWND except;
        std::vector<HWND>* windows;
    } context{except, &windows_};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* ctx = reinterpret_cast<Context*>(lParam);
            if (hwnd != ctx->except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
                EnableWindow(hwnd, FALSE);
                ctx->windows->push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
}

TApplication::DisabledWindows::~DisabledWindows()
{
    for (HWND hwnd : windows_)
        if (IsWindow(hwnd))
            EnableWindow(hwnd, TRUE);
    if (active_ && IsWindow(active_)) {
        SetActiveWindow(active_);
        if (focus_ && IsWindow(focus_))
            SetFocus(focus_);
    }
}
