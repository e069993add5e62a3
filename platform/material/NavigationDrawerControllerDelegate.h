#pragma once

#include "platform/graphics/CGGeometry.h"

class NavigationDrawerController;

// What a navigation drawer tells about its side view. Every call has an empty default.
class NavigationDrawerControllerDelegate {
  public:
    virtual ~NavigationDrawerControllerDelegate() = default;

    virtual void navigationDrawerControllerWillOpen(NavigationDrawerController&) {}
    virtual void navigationDrawerControllerDidOpen(NavigationDrawerController&) {}
    virtual void navigationDrawerControllerWillClose(NavigationDrawerController&) {}
    virtual void navigationDrawerControllerDidClose(NavigationDrawerController&) {}
    // Points are in the drawer's view.
    virtual void navigationDrawerControllerDidBeginPanAt(NavigationDrawerController&, CGPoint) {}
    virtual void navigationDrawerControllerDidChangePanAt(NavigationDrawerController&, CGPoint) {}
    virtual void navigationDrawerControllerDidEndPanAt(NavigationDrawerController&, CGPoint) {}
    virtual void navigationDrawerControllerDidTapAt(NavigationDrawerController&, CGPoint) {}
    // The open side view covers the status bar; it is shown again when the side closes.
    virtual void navigationDrawerControllerStatusBarHiddenState(NavigationDrawerController&, bool) {}
};
