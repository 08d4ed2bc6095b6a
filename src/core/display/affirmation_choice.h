#pragma once
// Which text a showing puts on the screen, and where its window goes.

#include "affirmations/random.h"
#include "display/text_region.h"
#include "settings/settings_record.h"

#include <optional>
#include <string>
#include <vector>

namespace uplift {

struct AffirmationChoice {
    std::optional<std::wstring> Text; // nothing: "No Message To Display!"
    bool DiscardWindow = false;       // a list of two or more entries: prepare the window afresh
};

// The single text, or a random entry of `messages` in list mode.
AffirmationChoice ChooseAffirmation(const SettingsRecord& settings, const std::vector<std::wstring>& messages,
                                    UniformRandom& random);

// The window centred on a screen of the given size, halves rounded to the even neighbour.
PixelRect CentredRect(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

} // namespace uplift
