#include "storage/Favorites.h"

namespace {

constexpr const char* NameKey = "name";
constexpr const char* AddressKey = "ipport";

} // namespace

void ListFavorites(const TIniFile& fav, TStrings& favoritesList)
{
    fav.ReadSections(favoritesList);
}

void LoadFavorite(const TIniFile& fav, const TTextSource& comboText, TTextField& nameField,
                  TTextField& ipportField)
{
    nameField.SetText(fav.ReadString(comboText.GetText(), NameKey, nameField.GetText()));
    ipportField.SetText(fav.ReadString(comboText.GetText(), AddressKey, ipportField.GetText()));
}

void SaveFavorite(TIniFile& fav, const TTextSource& nameField, const TTextSource& ipportField)
{
    fav.WriteString(nameField.GetText(), NameKey, nameField.GetText());
    fav.WriteString(nameField.GetText(), AddressKey, ipportField.GetText());
}

void DeleteFavorite(TIniFile& fav, const std::string& name) { fav.EraseSection(name); }

std::string ReadFavoriteAddress(const TIniFile& fav, const std::string& name,
                                const std::string& def)
{
    return fav.ReadString(name, AddressKey, def);
}
