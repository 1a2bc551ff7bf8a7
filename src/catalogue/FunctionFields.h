#pragma once

#include "wire/Function.h"

#include <optional>

// Which fields of a command a function fills besides the address and the
// channel, which every function names, and what choosing the function in a
// list does to them. The main window and the monitor's set-up panel both
// enable their boxes by this one rule.
namespace catalogue {

struct FunctionFields
{
    bool parameter = false; // the command names a parameter
    bool value = false;     // the value box is in use
    // Choosing a read of the process value leaves the main window's value box
    // as the function before it left it, so the box follows the choice only
    // where this is true.
    bool choiceSetsValue = true;
    // The parameter list position that choosing the function selects.
    std::optional<int> preselectedParameter;
};

FunctionFields fieldsOf(wire::Function function);

} // namespace catalogue
