// The system's file-open dialog, owned by the application and modal to the whole program.
#pragma once

#include "platform/Classes.h"

#include <string>

class TOpenDialog : public TComponent {
public:
    using TComponent::TComponent;

    std::string Filter;   // "Description|pattern" pairs, separated by "|"
    std::string FileName; // the chosen file's full path after Execute returns true

    // Shows the dialog and waits; false when the user cancelled or chose a path longer than
    // MAX_PATH - 1 characters (FileName unchanged).
    bool Execute();
};
