#pragma once

#include <memory>
#include <vector>

class DTTextField;

// A holder of input fields of the product family; the stochastics screens do not use it.
struct TextFieldManager {
    std::vector<std::shared_ptr<DTTextField>> allFields;
    int requiredAmountOfFields = 0;
};
