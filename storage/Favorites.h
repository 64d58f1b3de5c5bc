// The favorites file: one section per favorite, named after it, holding its name and address.
#pragma once

#include "platform/Strings.h"
#include "storage/IniFiles.h"

#include <string>

// Fills the list with the favorites' names in the order of their sections.
void ListFavorites(const TIniFile& fav, TStrings& favoritesList);
// Loads the favorite the drop-down names into the two fields; a value the file lacks leaves
// its field as it is.
void LoadFavorite(const TIniFile& fav, const TTextSource& comboText, TTextField& nameField,
                  TTextField& ipportField);
// Stores the fields as the favorite named by the Name field, adding or replacing it.
void SaveFavorite(TIniFile& fav, const TTextSource& nameField, const TTextSource& ipportField);
void DeleteFavorite(TIniFile& fav, const std::string& name);
std::string ReadFavoriteAddress(const TIniFile& fav, const std::string& name,
                                const std::string& def);
