#include "about/version_label.h"

namespace uplift {

std::wstring VersionLabel(std::uint32_t versionHigh, std::uint32_t versionLow) {
    return L"Version " + std::to_wstring(versionHigh >> 16) + L"." + std::to_wstring(versionHigh & 0xFFFF) +
           L"." + std::to_wstring(versionLow & 0xFFFF);
}

} // namespace uplift
