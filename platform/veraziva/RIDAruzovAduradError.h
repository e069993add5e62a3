#pragma once

#include <string>

// Why a fetch or an activation failed.
struct RIDAruzovAduradError {
    static constexpr int noEndpoint = 1;
    static constexpr int network = 2;
    static constexpr int badResponse = 3;
    static constexpr int storage = 4;
    // A fetch soon after a failed one: the server is not asked (see the fetch's back-off).
    static constexpr int throttled = 5;

    int code = 0;
    std::string localizedDescription;
};
