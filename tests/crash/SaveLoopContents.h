#pragma once
// The two settings and placements that save_loop alternates between, and the
// file contents they can leave.

#include <cstdint>
#include <string>
#include <vector>

#include "core/ModuleWin32API.h"

namespace kelvora::crash {

struct Contents {
    const char* minutes;
    const char* seconds;
    win32api::RECT rect;  // left, top, right, bottom
    std::uint32_t showCmd;
    const char* settingFile;
};

inline const Contents kContents[2] = {
    {"5", "30", {100, 50, 300, 150}, 1, "5,30\r\n"},
    {"12", "34", {-8, 40, 90, 97}, 2, "12,34\r\n"},
};

// Every profile file that whole key writes can leave: the placement keys are
// written one at a time, so the first k keys may already hold the new
// placement while the others still hold the old one.
inline std::vector<std::string> PossibleProfiles() {
    const auto values = [](const Contents& c) {
        return std::vector<std::string>{std::to_string(c.rect.left), std::to_string(c.rect.right),
                                        std::to_string(c.rect.top), std::to_string(c.rect.bottom),
                                        std::to_string(c.showCmd)};
    };
    const char* const keys[] = {"Left", "Right", "Top", "Bottom", "showCmd"};
    std::vector<std::string> profiles;
    for (int newer = 0; newer < 2; ++newer) {
        const auto fresh = values(kContents[newer]);
        const auto stale = values(kContents[1 - newer]);
        for (int k = 0; k <= 5; ++k) {
            std::string text = "[WinPos]\r\n";
            for (int i = 0; i < 5; ++i) {
                text += std::string(keys[i]) + "=" + (i < k ? fresh : stale)[i] + "\r\n";
            }
            profiles.push_back(text);
        }
    }
    return profiles;
}

}  // namespace kelvora::crash
