#pragma once

#include <string>

// The outside addresses the app uses, from the bundle's "AppLinks.plist": the video host's
// watch-link prefix (up to and including "v=") and short-video prefix (up to the id), the
// invitation to the maker's chat community, and the page the connectivity check asks for
// ($OMBREL_CONNECTIVITY_URL, when set, takes its place).
struct AppLinks {
    std::string videoWatchLinkPrefix;
    std::string videoShortLinkPrefix;
    std::string communityLink;
    std::string connectivityProbeURL;

    // Read once, on first use; a missing entry is empty.
    static const AppLinks& shared();
};
