#include "settings/registry_path.h"

namespace uplift {
namespace {

std::wstring TrimSpaces(std::wstring_view text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    return std::wstring(text.substr(first, text.find_last_not_of(L' ') - first + 1));
}

std::wstring NameOr(std::wstring_view name, std::wstring_view fallback) {
    std::wstring trimmed = TrimSpaces(name);
    return trimmed.empty() ? std::wstring(fallback) : trimmed;
}

} // namespace

void RegistryNames::SetCompanyName(std::wstring_view name) {
    company_ = NameOr(name, L"Shared Program Settings");
}

void RegistryNames::SetAppName(std::wstring_view name) {
    app_ = NameOr(name, L"Uplift Beacon");
}

std::wstring RegistryNames::BuildKeyPath(std::wstring_view section) const {
    std::wstring path = L"Software\\" + company_ + L"\\" + app_;
    if (!section.empty()) (path += L"\\") += section;
    return path;
}

std::wstring_view RegistryValueName(std::wstring_view name) {
    return name == L"*" ? std::wstring_view() : name;
}

} // namespace uplift
