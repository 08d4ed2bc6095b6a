// The list reader must survive any file, and what it read must write and read back unchanged.
#include "affirmations/list_file.h"
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
    return 0;
}
