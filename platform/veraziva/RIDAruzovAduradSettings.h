#pragma once

// Settings of the remote-configuration component.
struct RIDAruzovAduradSettings {
    // Held for callers that tune it; a fetch that names its own expiration duration throttles by that.
    double minimumFetchInterval = 43200.0;
};
