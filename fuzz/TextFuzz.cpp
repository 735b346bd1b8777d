// The text routines on arbitrary bytes: splitting, cutting and case of
// Shift-JIS text, the conversions, and the shortening of message texts.
// The first byte chooses the byte limits.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"
#include "core/state/FileGuard.h"
#include "core/state/ProgramState.h"

using namespace vokamo;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool ValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        const size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t limit = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const auto words = SplitWords(text);
    Check(!words.empty() && words.size() <= static_cast<size_t>(MaxParts));
    Check(CountWords(text) >= 0);
    const auto fields = SplitCommas(text);
    Check(!fields.empty() && fields.size() <= static_cast<size_t>(MaxParts));

    const std::string cut = SjisCut(text, limit);
    Check(cut.size() <= limit && text.substr(0, cut.size()) == cut);
    Check(SjisCut(cut, limit) == cut);
    Check(SjisFirstChars(text, limit).size() <= text.size());
    Check(SjisCharCount(text) <= text.size());
    Check(SjisLowerAscii(text).size() == text.size() && SjisUpperAscii(text).size() == text.size());
    Check(SjisLowerAscii(SjisUpperAscii(text)) == SjisLowerAscii(text));

    for (const auto& w : words) {
        (void)HintPattern(w);
        (void)UnderscoreToSpace(w);
        (void)StartsWithChar(w, "@");
        (void)CheckFirstUpper(w);
        Check(DropFirstChar(w).size() < w.size() || w.empty());
        Random rng([] { return 1u; });
        (void)ChooseExtraKeys(rng, DropFirstChar(w));
    }

    const std::string lossy = SjisToUtf8Lossy(text);
    if (const auto utf8 = SjisToUtf8(text)) Check(*utf8 == lossy);
    Check(ValidUtf8(lossy));
    const std::string shown = ShortenForMessage(lossy, limit + 4);
    Check(shown.size() <= limit + 4 && ValidUtf8(shown));
    if (lossy.size() <= limit + 4) Check(shown == lossy);
    (void)Utf8ToSjis(text);
    return 0;
}
