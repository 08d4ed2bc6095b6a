// The list reader must survive any file, and what it read must write and read back unchanged; the text
// region's runs must cover exactly the pixels that differ from the top-left one.
#include "affirmations/list_file.h"
#include "display/text_region.h"
#include "test_doubles.h"

#include <cstdlib>

using namespace uplift;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto check = [](bool condition) { condition ? void() : std::abort(); };
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Latin1CodePage latin1;
    const std::vector<std::wstring> entries = ReadListFile(bytes, latin1);
    std::vector<std::wstring> storable;
    for (const auto& entry : entries) {
        // Quotes are the one thing the writer must change; everything else comes back as it was.
        storable.push_back(StorableEntry(entry));
        check(!entry.empty() && (entry.find(L'"') != std::wstring::npos || storable.back() == entry));
    }
    const std::string written = WriteListFile(entries, latin1);
    check(ReadListFile(written, latin1) == storable && WriteListFile(storable, latin1) == written);
    const bool marked =
        bytes.starts_with(kUtf8Bom) || bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom);
    if (!marked && !LooksLikeUtf8(bytes)) check(ParseListText(latin1.Decode(bytes)) == entries);

    // Text runs: byte 0 gives the width, each later byte a pixel of four colours, so that runs are common.
    if (bytes.empty()) return 0;
    const int width = static_cast<unsigned char>(bytes[0]) % 64;
    static constexpr std::uint32_t kPalette[]{0x000000, 0xFFFFFF, 0x0000FF, 0xFF000000};
    std::vector<std::uint32_t> pixels;
    for (const char c : bytes.substr(1))
        pixels.push_back(kPalette[static_cast<unsigned char>(c) & 3u]);
    const int height = width == 0 ? 0 : static_cast<int>(pixels.size()) / width;
    // Runs one row high, in scan order, apart from each other, covering exactly the other colours.
    std::vector<bool> covered(pixels.size(), false);
    PixelRect previous{0, -1, 0, 0};
    for (const PixelRect& run : SelectTextRuns(pixels, width, height)) {
        check(run.Top >= 0 && run.Top < height && run.Bottom == run.Top + 1 && run.Left >= 0 &&
              run.Left < run.Right && run.Right <= width &&
              (previous.Top < run.Top || (previous.Top == run.Top && previous.Right < run.Left)));
        for (int x = run.Left; x < run.Right; ++x)
            covered[static_cast<std::size_t>(run.Top * width + x)] = true;
        previous = run;
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(width * height); ++i)
        check(covered[i] == (pixels[i] != pixels[0]));
    return 0;
}
