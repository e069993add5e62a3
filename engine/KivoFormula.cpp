#include "engine/KivoFormula.h"

std::shared_ptr<KivoFormula> KivoFormula::shared() {
    static const std::shared_ptr<KivoFormula> instance = std::make_shared<KivoFormula>();
    return instance;
}
