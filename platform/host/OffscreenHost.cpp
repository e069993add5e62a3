#include "platform/host/OffscreenHost.h"

#include "platform/foundation/RunLoop.h"
#include "platform/uikit/UIScreen.h"

int OffscreenHost::run() {
    auto runLoop = RunLoop::main();
    // The first frame shows what launching and becoming active left behind.
    runLoop->runUntilIdle();
    if (!isStopping()) {
        renderKeyWindow(1);
        firstFrameRendered();
    }
    if (!isStopping()) {
        runLoop->run();
    }
    return status();
}

CGFloat OffscreenHost::displayScale() const {
    return UIScreen::mainScreen()->scale();
}

void OffscreenHost::stopRunning() {
    RunLoop::main()->stop();
}
