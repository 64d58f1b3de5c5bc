// The settings window's making: its controls from the description, its menu and tray icon,
// and the handlers bound to their events.
#include "app/Unit1.h"

#include "resources/resource.h"
#include "ui/SettingsLayout.h"

TForm1* Form1 = nullptr;
std::string GameExecutablePath;
bool CloseExits = true;

namespace {

TMenuItem* MenuItem(TComponent* owner, TMenuItem* parent, const char* name, const char* caption,
                    TNotifyEvent onClick = {})
{
    auto* item = new TMenuItem(owner);
    item->Name = name;
    item->Caption = caption;
    item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

} // namespace

TForm1::TForm1(TComponent* Owner)
    : TForm(Owner, SettingsWindowDesc()), Panel1(FindControl("Panel1")),
      Label1(Find<TLabel>("Label1")), ComboBox1(Find<TComboBox>("ComboBox1")),
      Label2(Find<TLabel>("Label2")), Edit1(Find<TEdit>("Edit1")), Label3(Find<TLabel>("Label3")),
      Edit2(Find<TEdit>("Edit2")), Button5(Find<TButton>("Button5")),
      Button2(Find<TButton>("Button2")), Button1(Find<TButton>("Button1")),
      Bevel1(FindControl("Bevel1")), Label4(Find<TLabel>("Label4")), Edit3(Find<TEdit>("Edit3")),
      Button4(Find<TButton>("Button4")), CheckBox1(Find<TCheckBox>("CheckBox1")),
      Button3(Find<TButton>("Button3")), Label6(Find<TLabel>("Label6"))
{
    auto bind = [this](void (TForm1::*handler)(TObject*)) {
        return [this, handler](TObject* sender) { (this->*handler)(sender); };
    };
    OnCreate = bind(&TForm1::FormCreate);
    OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    ComboBox1->OnChange = bind(&TForm1::ComboBox1Change);
    Button1->OnClick = bind(&TForm1::Button1Click);
    Button2->OnClick = bind(&TForm1::Button2Click);
    Button3->OnClick = bind(&TForm1::Button3Click);
    Button4->OnClick = bind(&TForm1::Button4Click);
    Button5->OnClick = bind(&TForm1::Button5Click);
    Edit3->OnChange = bind(&TForm1::Edit3Change);
    Label6->OnClick = bind(&TForm1::Label6Click);
    Label6->OnMouseEnter = bind(&TForm1::Label6MouseEnter);
    Label6->OnMouseLeave = bind(&TForm1::Label6MouseLeave);

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->Name = "PopupMenu1";
    TMenuItem* root = PopupMenu1->Items();
    Favorites1 = MenuItem(this, root, "Favorites1", "Favorites");
    MenuItem(this, Favorites1, "", ""); // until the first rebuild: one inert, empty entry
    N1 = MenuItem(this, root, "N1", "-");
    Show1 = MenuItem(this, root, "Show1", "Settings", bind(&TForm1::Show1Click));
    N2 = MenuItem(this, root, "N2", "-");
    Exit1 = MenuItem(this, root, "Exit1", "Exit", bind(&TForm1::Exit1Click));

    CoolTrayIcon1 = new TCoolTrayIcon(this);
    CoolTrayIcon1->Name = "CoolTrayIcon1";
    CoolTrayIcon1->SetIcon(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                                         MAKEINTRESOURCEA(IDI_PORTLARK),
                                                         IMAGE_ICON, 32, 32, LR_SHARED)));
    CoolTrayIcon1->PopupMenu = PopupMenu1;
    CoolTrayIcon1->OnClick = bind(&TForm1::CoolTrayIcon1Click);
    CoolTrayIcon1->OnStartup = [this](TObject* sender, bool& show) {
        CoolTrayIcon1Startup(sender, show);
    };
}
