// Identifiers of the settings window's controls: fixed, so that anything outside the program
// (accessibility tools, our end-to-end tests) finds a control by its identifier.
#pragma once

enum ControlId : int {
    idPanel1 = 1001,
    idLabel1,
    idComboBox1,
    idLabel2,
    idEdit1,
    idLabel3,
    idEdit2,
    idButton5,
    idButton2,
    idButton1,
    idBevel1,
    idLabel4,
    idEdit3,
    idButton4,
    idCheckBox1,
    idButton3,
    idLabel6,
};

// Window classes of the program's top-level windows.
constexpr const char* SettingsWindowClass = "TForm1";
constexpr const char* ApplicationWindowClass = "TApplication";
