#pragma once

// True while the result screen captures its long screenshot: animations then jump to their end
// state at once, so the capture shows the finished charts. Main thread only.
inline bool isSharingInProgress = false;
