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

// The shared connectivity check (see ConnectivityCheck): onSuccess once the network answers, else the
// "No internet" alert on the presenter, whose "OK" runs onFailure; nothing while a check runs.
void checkInternetConnection(std::function<void()> onSuccess, std::function<void()> onFailure,
                             const std::shared_ptr<UIViewController>& presenter);
