// The settings window, Portlark's one window: its controls, its tray icon and menu, and
// the handlers of everything the user can do. Each handler lives with its subsystem:
// app/ (start-up, tray, ending), launch/ (starting the game), ui/ (editing).
#pragma once

#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/TrayIcon.h"

#include <string>

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* Owner);

    TControl* Panel1;
    TLabel* Label1;
    TComboBox* ComboBox1;
    TLabel* Label2;
    TEdit* Edit1;
    TLabel* Label3;
    TEdit* Edit2;
    TButton* Button5;
    TButton* Button2;
    TButton* Button1;
    TControl* Bevel1;
    TLabel* Label4;
    TEdit* Edit3;
    TButton* Button4;
    TCheckBox* CheckBox1;
    TButton* Button3;
    TLabel* Label6;

    TPopupMenu* PopupMenu1;
    TMenuItem* Favorites1;
    TMenuItem* N1;
    TMenuItem* Show1;
    TMenuItem* N2;
    TMenuItem* Exit1;
    TCoolTrayIcon* CoolTrayIcon1;

    // Start-up, the tray and ending.
    void CoolTrayIcon1Startup(TObject* Sender, bool& ShowMainForm);
    void FormCreate(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void CoolTrayIcon1Click(TObject* Sender);
    void Show1Click(TObject* Sender);
    void Exit1Click(TObject* Sender);
    void add(TObject* Sender); // rebuilds the Favorites submenu from the favorites list

    // Starting the game.
    void PopupMenuItemsClick(TObject* Sender);

    // Editing in the window.
    void ComboBox1Change(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void Button5Click(TObject* Sender);
    void Edit3Change(TObject* Sender);
    void Label6Click(TObject* Sender);
    void Label6MouseEnter(TObject* Sender);
    void Label6MouseLeave(TObject* Sender);

    void HideToTray();
    void RestoreFromTray();
};

extern TForm1* Form1;

// The program-wide values: the game path read at start-up, and whether closing the window
// ends the program rather than sending it to the tray.
extern std::string GameExecutablePath;
extern bool CloseExits;

constexpr const char* FavoritesFileName = "fav.ini";
constexpr const char* SettingsFileName = "settings.ini";
