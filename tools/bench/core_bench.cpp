// Times the portable core's work on large inputs: the transparent region's scan of a wide window, the
// list file's reading of a huge Data.Lst and the settings readers on huge hand-edited values. Prints
// figures only; the tests check the results, never the time.

#include "affirmations/list_file.h"
#include "display/text_region.h"
#include "settings/text_forms.h"
#include "test_doubles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// The best of `repeats` runs, in microseconds: the least disturbed by the rest of the machine.
double BestMicroseconds(int repeats, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(
            best,
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

} // namespace

int main() {
    using namespace uplift;

    // A line of text in a 981 x 200 window: strokes two pixels wide every seven pixels in the middle band.
    constexpr int kWidth = 981, kHeight = 200;
    std::vector<std::uint32_t> pixels(kWidth * kHeight, 0xFFFFFF);
    for (int y = 50; y < 150; ++y)
        for (int x = 0; x + 1 < kWidth; x += 7)
            pixels[y * kWidth + x] = pixels[y * kWidth + x + 1] = 0;
    std::size_t runs = 0;
    const double scan = BestMicroseconds(20, [&] { runs = SelectTextRuns(pixels, kWidth, kHeight).size(); });
    std::printf("SelectTextRuns, %d x %d, %zu runs:          %9.1f us (best of 20)\n", kWidth, kHeight, runs,
                scan);

    const std::string line = "\"I am calm, I am kind, I am enough today\"\r\n";
    std::string file;
    while (file.size() < 10'000'000)
        file += line;
    const Latin1CodePage latin1;
    std::size_t entries = 0;
    const double read = BestMicroseconds(5, [&] { entries = ReadListFile(file, latin1).size(); });
    std::printf("ReadListFile, %.1f MB, %zu entries:       %9.1f us (best of 5), %.0f MB/s\n",
                file.size() / 1e6, entries, read, file.size() / read);

    const std::wstring digits(100'000, L'9'), zeros = L"0." + std::wstring(100'000, L'0') + L"48";
    const double integer = BestMicroseconds(20, [&] { (void)text_forms::ParseInteger(digits); });
    const double size = BestMicroseconds(20, [&] { (void)text_forms::ParseFontSize(zeros, L'.'); });
    std::printf("ParseInteger, 100000 digits:               %9.1f us (best of 20)\n", integer);
    std::printf("ParseFontSize, 100000 zeros:               %9.1f us (best of 20)\n", size);
    return 0;
}
