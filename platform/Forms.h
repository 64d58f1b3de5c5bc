// The application object, forms built from a description, and their controls.
#pragma once

#include "platform/Classes.h"
#include "platform/Strings.h"
#include "platform/Window.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Colours: 0x00BBGGRR, or a negative value naming the system colour in its low byte.
using TColor = std::int32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000);
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
COLORREF ColorToRGB(TColor color);

struct TFont {
    const char* Name = "Tahoma";
    int Height = -11;
    bool Bold = false;
    TColor Color = clWindowText;
};

enum class TCursor { Default, HandPoint };

enum class TControlKind { Panel, Label, ComboBox, Edit, Button, CheckBox, Bevel };

// One control of a form description. Tab positions below 0 mean the control takes no focus.
struct TControlDesc {
    TControlKind Kind;
    const char* Name;
    int Id; // the child window's identifier
    int Left, Top, Width, Height;
    const char* Caption = "";
    const char* Hint = "";
    int TabOrder = -1;
    bool TabStop = true;
    TFont Font{};
    TColor Color = clBtnFace; // background
    bool ReadOnly = false;    // edits
    bool LeftText = false;    // check boxes: caption left of the box
    TCursor Cursor = TCursor::Default;
};

struct TFormDesc {
    const char* Name;
    const char* Caption;
    int ClientWidth, ClientHeight;
    TColor Color;
    TFont Font;
    bool DesktopCenter; // centred on the whole desktop at the first showing
    std::vector<TControlDesc> Controls;
};

class TForm;

// A child control: one system control window of the form, subclassed so that it can turn
// its own messages into events.
class TControl : public TComponent {
public:
    TControl(TForm* form, const TControlDesc& desc);
    ~TControl() override;

    HWND Handle() const { return hwnd_; }
    std::string Caption() const;
    void SetCaption(const std::string& text);
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    const TFont& Font() const { return font_; }
    void SetFontColor(TColor color);
    TColor Color() const { return color_; }
    RECT BoundsRect() const; // in the form's client coordinates
    int Id() const { return desc_.Id; }
    TForm* Form() const { return form_; }

    TNotifyEvent OnClick;
    TNotifyEvent OnChange;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // The form hands each control its WM_COMMAND notifications and colour requests.
    virtual void Notify(WORD code);
    virtual HBRUSH CtlColor(HDC dc);

protected:
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT CallBaseProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Makes the window; a control whose style can only be set at creation makes it anew.
    void CreateWnd(DWORD extraStyle);
    void FitLabelToText();
    const TControlDesc& Desc() const { return desc_; }

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
    TForm* form_;
    TControlDesc desc_;
    HWND hwnd_ = nullptr;
    std::string hint_;
    bool showHint_;
    TFont font_;
    TColor color_;
    HFONT hfont_ = nullptr;
    HBRUSH brush_ = nullptr;
    WNDPROC baseProc_ = nullptr;
    bool mouseInside_ = false;
};

class TEdit : public TControl, public TTextField {
public:
    using TControl::TControl;
    std::string GetText() const override { return Caption(); }
    void SetText(const std::string& text) override;
    void Clear() { SetText(""); }
    void Notify(WORD code) override;
};

class TButton : public TControl {
public:
    using TControl::TControl;
    void Notify(WORD code) override;
};

class TCheckBox : public TControl {
public:
    using TControl::TControl;
    bool Checked() const;
    void SetChecked(bool checked);
};

class TLabel : public TControl {
public:
    using TControl::TControl;
    void Notify(WORD code) override;
};

class TComboBox : public TControl, public TTextSource {
public:
    TComboBox(TForm* form, const TControlDesc& desc);

    TStrings& Items() { return *items_; }
    int ItemIndex() const;
    void SetItemIndex(int index); // never raises OnChange
    std::string GetText() const override; // the selected entry, empty without one
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted); // re-sorts the entries, keeping the selected index
    void Notify(WORD code) override;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    class ItemList;
    std::unique_ptr<TStrings> items_;
    void TypeAhead(char ch);
    bool sorted_ = false;
    std::string search_;
    DWORD lastKeyTime_ = 0;
};

// The form: a top-level window holding the controls of its description.
class TForm : public TComponent, public TWindowHandle {
public:
    TForm(TComponent* AOwner, const TFormDesc& desc);
    ~TForm() override;

    // Finds a control of the description by its name; throws when there is none.
    template <class T> T* Find(const char* name) { return checked_cast<T>(FindControl(name)); }
    TControl* FindControl(const char* name) const;

    bool Visible() const;
    void Show();
    void Hide();
    void Close(); // runs OnCloseQuery; the main form's close ends the event loop
    bool Minimized() const;
    void Restore();

    TNotifyEvent OnCreate;
    TCloseQueryEvent OnCloseQuery;

    // Called by the application once the object is fully made: tells every component
    // that the description is read (Loaded), then raises OnCreate.
    void AfterConstruction();

    // The shared tooltip window: each control with a hint is one tool of it.
    void SetToolTip(HWND control, const std::string& text, bool show);
    void RemoveToolTip(HWND control);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    TControl* ControlOf(HWND hwnd) const;
    void PlaceOnDesktop();

    const TFormDesc& desc_;
    std::vector<TControl*> controls_;
    HBRUSH brush_ = nullptr;
    HFONT hfont_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND lastFocus_ = nullptr;
    bool placed_ = false;
};

// A component that wants to know when its form's description has been read completely.
class TLoadable {
public:
    virtual ~TLoadable() = default;
    virtual void Loaded() = 0;
};

class TApplication : public TComponent, public TWindowHandle {
public:
    TApplication();
    ~TApplication() override;

    void Initialize(); // COM for this thread, single-threaded apartment
    std::string Title() const { return title_; }
    void SetTitle(const std::string& title);

    // Makes a form, tells it it is loaded, runs its OnCreate; the first form made is the
    // main form.
    template <class T> void CreateForm(T*& ref)
    {
        ref = new T(this);
        ref->AfterConstruction();
        if (!mainForm_)
            mainForm_ = ref;
    }
    TForm* MainForm() const { return mainForm_; }
    bool ShowMainForm = true; // whether Run shows the main form at its start

    void Run();       // the event loop, until Terminate
    void Terminate(); // asks the event loop to end
    [[noreturn]] void Halt(); // ends the program at once: everything destroyed, exit code 0

    bool Minimized() const;
    void Restore();
    void BringToFront();

    // Shows a message box owned by the application window, with the program's other
    // windows disabled while it shows.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);
    // The failure report: the message with its full stop, the title as caption, stop icon.
    void ShowException(const std::string& message);

    // Runs fn with all the program's windows disabled, as a modal dialog needs.
    template <class Fn> auto Modal(Fn&& fn)
    {
        DisabledWindows disabled(Handle());
        return fn();
    }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    class DisabledWindows {
    public:
        explicit DisabledWindows(HWND except);
        ~DisabledWindows();

    private:
        std::vector<HWND> windows_;
        HWND active_;
        HWND focus_;
    };
    std::string title_;
    TForm* mainForm_ = nullptr;
    bool comInitialized_ = false;
    bool terminated_ = false;
};

extern TApplication* Application;

// The text a failure report shows for a message: a full stop is added unless the message
// is empty or already ends in a character no greater than '.'.
std::string FailureReportText(const std::string& message);
