// The settings window as data, the way a form description file holds it.
#include "ui/SettingsLayout.h"

#include "ui/ControlIds.h"

namespace {

constexpr TColor WindowColor = 10791084; // red 172, green 168, blue 164
constexpr TColor HeadingColor = 7965333; // red 149, green 138, blue 121
constexpr TColor NoSystemColor = -1;     // names no system colour, so it comes out black

constexpr TFont Regular{"Tahoma", -11, false, clWindowText};
constexpr TFont Bold{"Tahoma", -11, true, clWindowText};
constexpr TFont Field{"Tahoma", -11, false, clYellow};
constexpr TFont Heading{"Verdana", -20, false, clWhite};
constexpr TFont Credits{"Tahoma", -11, false, clBlack};

using K = TControlKind;

TControlDesc Label(const char* name, int id, int l, int t, int w, const char* caption)
{
    return {K::Label, name, id, l, t, w, 13, caption, "", -1, false, Bold, WindowColor};
}

TControlDesc Edit(const char* name, int id, int l, int t, const char* hint, int tab,
                  bool readOnly = false)
{
    return {K::Edit, name, id, l, t, 169, 21, "", hint, tab, true, Field, clBlack, readOnly};
}

TControlDesc Button(const char* name, int id, int l, int t, int w, int h, const char* caption,
                    const char* hint, int tab)
{
    return {K::Button, name, id, l, t, w, h, caption, hint, tab, true, Regular, clBtnFace};
}

} // namespace

const TFormDesc& SettingsWindowDesc()
{
    static const TFormDesc desc{
        SettingsWindowClass,
        "Portlark v0.2b",
        256,
        258,
        WindowColor,
        Regular,
        true,
        {
            {K::Panel, "Panel1", idPanel1, 0, 0, 256, 25, "SETTINGS", "", 4, false, Heading,
             HeadingColor},
            Label("Label1", idLabel1, 8, 34, 56, "Favorites:"),
            {K::ComboBox, "ComboBox1", idComboBox1, 80, 32, 169, 21, "",
             "Select Favorite to Modify or Delete", 3, true, Field, NoSystemColor},
            Label("Label2", idLabel2, 8, 66, 35, "Name:"),
            Edit("Edit1", idEdit1, 80, 64, "e.g.: Kyx-Clan", 0),
            Label("Label3", idLabel3, 8, 90, 54, "IP && Port:"),
            Edit("Edit2", idEdit2, 80, 88, "e.g.: 192.0.2.27:27960", 1),
            Button("Button5", idButton5, 80, 112, 33, 25, "NEW", "Clear input to add new", 9),
            Button("Button2", idButton2, 135, 112, 33, 25, "DEL", "Delete selected Favorite", 5),
            Button("Button1", idButton1, 192, 112, 57, 25, "ADD/MOD", "Add or Modify Favorites",
                   2),
            {K::Bevel, "Bevel1", idBevel1, 0, 144, 249, 1, "", "", -1, false, Regular,
             WindowColor},
            Label("Label4", idLabel4, 8, 155, 40, "ET exe:"),
            Edit("Edit3", idEdit3, 79, 152, "Install path and ET.exe", 7, true),
            Button("Button4", idButton4, 216, 176, 33, 17, "...", "Click here browse ET.exe", 8),
            {K::CheckBox, "CheckBox1", idCheckBox1, 6, 192, 86, 25, "Quit to Run:",
             "Quit Portlark to Game start", 10, true, Bold, WindowColor, false, true},
            Button("Button3", idButton3, 120, 224, 129, 25, "OK", "Save Portlark Settings", 6),
            {K::Label, "Label6", idLabel6, 8, 232, 94, 13, CreditLine, ContactAddress, -1, false,
             Credits, WindowColor, false, false, TCursor::HandPoint},
        },
    };
    return desc;
}
