// What the settings window's controls do: picking, saving and deleting favorites, choosing
// the game and saving the settings.
#include "app/Unit1.h"

#include "platform/Dialogs.h"
#include "platform/Sound.h"
#include "storage/Favorites.h"
#include "storage/IniFiles.h"
#include "storage/Settings.h"

#include <memory>

namespace {

constexpr const char* GameFilter = "Enemy Territory executable (ET.exe)|ET.exe";
constexpr const char* EmptyPathWarning = "Enemy Territory executable path empty!";
constexpr const char* WarningCaption = "Warning!";
constexpr const char* ConfirmationSound = "JA";
constexpr const char* WarningSound = "HO";

// After a change to the file the list shows the file again, sorted, with the first entry
// selected but not loaded.
void RefillFavorites(const TIniFile& favorites, TComboBox& list)
{
    ListFavorites(favorites, list.Items());
    list.SetItemIndex(0);
    list.SetSorted(true);
}

} // namespace

void TForm1::ComboBox1Change(TObject*)
{
    TIniFile favorites(ProfilePath(FavoritesFileName));
    LoadFavorite(favorites, *ComboBox1, *Edit1, *Edit2);
}

void TForm1::Button1Click(TObject* Sender)
{
    {
        TIniFile favorites(ProfilePath(FavoritesFileName));
        SaveFavorite(favorites, *Edit1, *Edit2);
        RefillFavorites(favorites, *ComboBox1);
    }
    Edit1->Clear();
    Edit2->Clear();
    add(Sender);
}

void TForm1::Button2Click(TObject* Sender)
{
    {
        TIniFile favorites(ProfilePath(FavoritesFileName));
        DeleteFavorite(favorites, ComboBox1->GetText());
        RefillFavorites(favorites, *ComboBox1);
    }
    Edit1->Clear();
    Edit2->Clear();
    add(Sender);
}

void TForm1::Button5Click(TObject*)
{
    Edit1->Clear();
    Edit2->Clear();
}

void TForm1::Button4Click(TObject*)
{
    auto dialog = std::make_unique<TOpenDialog>(this);
    dialog->Filter = GameFilter;
    if (dialog->Execute())
        Edit3->SetText(dialog->FileName);
}

void TForm1::Edit3Change(TObject*)
{
    // The field is narrow; its hint shows the whole path.
    Edit3->SetShowHint(true);
    Edit3->SetHint(Edit3->GetText());
}

void TForm1::Button3Click(TObject* Sender)
{
    const std::string path = Edit3->GetText();
    if (path.empty()) {
        PlayResourceSound(WarningSound);
        Application->MessageBox(EmptyPathWarning, WarningCaption, MB_OK);
    } else {
        {
            TIniFile settings(ProfilePath(SettingsFileName));
            SaveSettings(settings, path, CheckBox1->Checked());
            CloseExits = false;
        }
        HideToTray();
        PlayResourceSound(ConfirmationSound);
    }
    add(Sender);
}
