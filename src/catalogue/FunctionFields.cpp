#include "catalogue/FunctionFields.h"

#include "catalogue/ParameterList.h"

namespace catalogue {

FunctionFields fieldsOf(wire::Function function)
{
    // parameter, value, choiceSetsValue, preselectedParameter
    switch (function) {
    case wire::Function::Dc1:
        return {false, false, false, std::nullopt};
    case wire::Function::Dc2:
        return {true, false, true, kDefaultParameterPosition};
    case wire::Function::Dc3:
        return {true, true, true, kDefaultParameterPosition};
    case wire::Function::Dc4:
        // The concentrator has commands for "73" and "74" only; "73" is the
        // request an operator of the HBX function wants first.
        return {true, true, true, kHbxParameterPosition};
    }
    return {};
}

} // namespace catalogue
