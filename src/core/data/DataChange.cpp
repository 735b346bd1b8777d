#include "core/data/DataChange.h"

#include <algorithm>

#include "core/data/DataFile.h"
#include "core/state/FileGuard.h"

namespace vokamo {

DataChangedError::DataChangedError(const std::string& sjisPath)
    : FileError("問題データファイル「" + PathForMessage(sjisPath) +
                "」がドリルの途中で書き換えられ、問題の並びが変わりました。ドリルを終わります。\n"
                "「成績を開く」でこの成績をもう一度開くと、新しい問題ファイルで続けられます。") {}

bool SameShape(const QuestionData& a, const QuestionData& b) {
    if (a.Title != b.Title || a.TypeCode != b.TypeCode || a.DataKind != b.DataKind ||
        a.ItemCount != b.ItemCount || a.LessonCount != b.LessonCount || a.CodeCount != b.CodeCount ||
        a.HeaderLines != b.HeaderLines)
        return false;
    auto same = [](const auto& x, const auto& y, int32_t n) {
        const auto count =
            static_cast<std::ptrdiff_t>(std::clamp<int32_t>(n, 0, static_cast<int32_t>(x.size())));
        return std::equal(x.begin(), x.begin() + count, y.begin());
    };
    return same(a.LessonNames, b.LessonNames, a.LessonCount) && same(a.CodeNames, b.CodeNames, a.CodeCount) &&
           same(a.ItemLesson, b.ItemLesson, a.ItemCount) &&
           (!HasCodes(a.DataKind) || same(a.ItemCode, b.ItemCode, a.ItemCount));
}

bool DataFileChanged(const ProgramState& st) {
    if (!st.DataStamp) return false;
    const auto now = StampOfPath(FsPath(st.DataPath));
    return !now || *now != *st.DataStamp;
}

void FollowDataFile(ProgramState& st) {
    if (!DataFileChanged(st)) return;
    ProgramState fresh = st;
    try {
        ReadDataHeader(fresh);
    } catch (const FileError&) {
        throw;
    } catch (const VokamoError&) {
        // Cut short or refused: its items are not where the table says.
        throw DataChangedError(st.DataPath);
    }
    if (!SameShape(st, fresh)) throw DataChangedError(st.DataPath);
    static_cast<QuestionData&>(st) = static_cast<const QuestionData&>(fresh);
}

}  // namespace vokamo
