#pragma once

#include "platform/graphics/UIColor.h"

// The toolkit's named palette colours.
class Color {
  public:
    class blueGrey {
      public:
        static UIColor lighten5();
    };
};
