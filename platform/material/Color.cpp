#include "platform/material/Color.h"

UIColor Color::blueGrey::lighten5() {
    return UIColor(236.0 / 255, 239.0 / 255, 241.0 / 255, 1);
}
