#pragma once

#include <functional>
#include <memory>

class UIViewController;

// Operations of every screen around rating the app; the side menu uses them too.

// Opens the running app's rating page from its catalogue record and logs "Tapped Rating in Menu".
// Without a record, or with a link of a scheme that cannot be opened, an alert on the controller says
// that the rating page could not be opened; when the browser cannot open it, that the page could not. The
// completion tells, on the main queue, whether the page was opened.
void openRatingLink(const std::shared_ptr<UIViewController>& controller,
                    std::function<void(bool opened)> completion = {});

// Asks a dependable web page for an answer, reading at most 64 KiB of its body; on any HTTP response
// (a longer body included) runs onSuccess on the main queue, otherwise shows the "No internet" alert
// on the presenter, whose "OK" runs onFailure when one is given (no button action otherwise).
void checkInternetConnection(std::function<void()> onSuccess, std::function<void()> onFailure,
                             const std::shared_ptr<UIViewController>& presenter);
