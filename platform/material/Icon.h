#pragma once

#include <memory>

class UIImage;

// The toolkit's icons, drawn as vectors on a 24-point grid and handed out as template images, so
// that each button shows them in its own tint. Each icon is made once and shared.
class Icon {
  public:
    static std::shared_ptr<UIImage> menu();
    static std::shared_ptr<UIImage> arrowBack();
    static std::shared_ptr<UIImage> check();
    static std::shared_ptr<UIImage> share();
    static std::shared_ptr<UIImage> edit();
    static std::shared_ptr<UIImage> clear();
};
