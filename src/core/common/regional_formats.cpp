#include "common/regional_formats.h"

namespace uplift {

std::wstring DateAndTimeText(const RegionalFormats& formats, DateTime value) {
    if (!IsValidDate(value)) return {};
    return formats.ShortDateText(value) + L" " + formats.LongTimeText(value);
}

} // namespace uplift
