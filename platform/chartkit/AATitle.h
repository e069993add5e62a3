#pragma once

#include "platform/chartkit/AAObject.h"

class AATitle : public AAObject<AATitle> {
  public:
    using AAObject::AAObject;

    AATitle& text(const std::string& value) { return set("text", value); }
};
