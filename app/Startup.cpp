// Start-up: whether Portlark starts in the tray, and the loading of favorites and settings.
#include "app/Unit1.h"

#include "storage/Favorites.h"
#include "storage/IniFiles.h"
#include "storage/Settings.h"

void TForm1::CoolTrayIcon1Startup(TObject*, bool& ShowMainForm)
{
    TIniFile settings(ProfilePath(SettingsFileName));
    GameExecutablePath = ReadGamePath(settings, GameExecutablePath);
    if (IsValidGamePath(GameExecutablePath)) {
        // A known game: nothing to set up, so stay out of the way in the tray.
        ShowMainForm = false;
        CoolTrayIcon1->SetIconVisible(true);
    } else {
        ShowMainForm = true;
    }
}

void TForm1::FormCreate(TObject* Sender)
{
    TIniFile favorites(ProfilePath(FavoritesFileName));
    TIniFile settings(ProfilePath(SettingsFileName));

    ListFavorites(favorites, ComboBox1->Items());
    add(Sender);

    GameExecutablePath = ReadGamePath(settings, GameExecutablePath);
    CheckBox1->SetChecked(ReadQuitOption(settings, CheckBox1->Checked()));
    if (IsValidGamePath(GameExecutablePath)) {
        Edit3->SetText(GameExecutablePath);
        CloseExits = false;
    } else {
        // A path that no longer names the game is dropped, so later starts do not trust it.
        TIniFile forget(ProfilePath(SettingsFileName));
        ForgetGamePath(forget);
    }

    ComboBox1->SetItemIndex(0);
    ComboBox1->SetSorted(true);
}
