// The list reader must survive any file, and what it read must write and read back unchanged.
#include "affirmations/list_file.h"
#include "display/text_region.h"
#include "test_doubles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace uplift;

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckListFile(std::string_view bytes) {
    const Latin1CodePage latin1;
    const std::vector<std::wstring> entries = ReadListFile(bytes, latin1);
    for (const auto& entry : entries)
        Check(!entry.empty());

    // Quotes are the one thing the writer must change; everything else comes back as it was.
    std::vector<std::wstring> expected;
    for (const auto& entry : entries) {
        expected.push_back(StorableEntry(entry));
        if (entry.find(L'"') == std::wstring::npos) Check(expected.back() == entry);
    }
    const std::string written = WriteListFile(entries, latin1);
    Check(ReadListFile(written, latin1) == expected);
    Check(WriteListFile(expected, latin1) == written);
    if (!bytes.starts_with(kUtf8Bom)) Check(ParseListText(latin1.Decode(bytes)) == entries);
}

// The bytes as a small image: the first byte gives the width, each later byte a pixel from a
// palette of four colours so that runs of equal colours are common.
void CheckTextRuns(std::string_view bytes) {
    if (bytes.empty()) return;
    const int width = static_cast<unsigned char>(bytes[0]) % 64;
    static constexpr std::uint32_t kPalette[]{0x000000, 0xFFFFFF, 0x0000FF, 0xFF000000};
    std::vector<std::uint32_t> pixels;
    for (const char c : bytes.substr(1))
        pixels.push_back(kPalette[static_cast<unsigned char>(c) & 3u]);
    const int height = width == 0 ? 0 : static_cast<int>(pixels.size()) / width;

    const auto runs = SelectTextRuns(pixels, width, height);
    // Every run is a maximal stretch of one row without the top-left colour, in scan order, and
    // together they cover exactly those pixels.
    std::vector<bool> covered(pixels.size(), false);
    const PixelRect* previous = nullptr;
    for (const auto& run : runs) {
        Check(run.Top >= 0 && run.Top < height && run.Bottom == run.Top + 1);
        Check(run.Left >= 0 && run.Left < run.Right && run.Right <= width);
        if (previous)
            Check(previous->Top < run.Top || (previous->Top == run.Top && previous->Right < run.Left));
        previous = &run;
        const std::size_t row = static_cast<std::size_t>(run.Top) * static_cast<std::size_t>(width);
        for (int x = run.Left; x < run.Right; ++x)
            covered[row + static_cast<std::size_t>(x)] = true;
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * static_cast<std::size_t>(height); ++i)
        Check(covered[i] == (pixels[i] != pixels[0]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckListFile(bytes);
    CheckTextRuns(bytes);
    return 0;
}
