// The tray's Favorites submenu, rebuilt from the favorites list whenever it may have changed.
#include "app/Unit1.h"

#include "storage/Favorites.h"
#include "storage/IniFiles.h"

void TForm1::add(TObject*)
{
    while (Favorites1->Count() > 0)
        delete Favorites1->Items(Favorites1->Count() - 1);

    TStrings& favorites = ComboBox1->Items();
    const int count = favorites.Count();
    if (count == 0) {
        // An empty submenu would not open at all; an inert entry shows there is nothing,
        // and nothing of a deleted favorite can still be launched.
        auto* none = new TMenuItem(PopupMenu1);
        Favorites1->Add(none);
        return;
    }

    TIniFile fav(ProfilePath(FavoritesFileName));
    for (int i = 0; i < count; ++i) {
        auto* item = new TMenuItem(PopupMenu1);
        Favorites1->Add(item);
        item->Caption = favorites.Get(i);
        item->Hint = ReadFavoriteAddress(fav, item->Caption, item->Hint);
        item->OnClick = [this](TObject* sender) { PopupMenuItemsClick(sender); };
    }
}
