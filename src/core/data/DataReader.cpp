#include "core/data/DataReader.h"

#include "core/data/SjisText.h"
#include "core/state/FileGuard.h"

namespace vokamo {

namespace {

Said EndMarkHint(const FileText& t) {
    if (t.endMarkLine == 0) return {};
    const std::string line = std::to_string(t.endMarkLine);
    return {line + " 行目の文字コード 1A（ファイルの終わりの印）で読むのをやめています。",
            " Reading stopped at the character 1A (an end-of-file mark) on line " + line + "."};
}

// Full-width digits, spaces and minus signs look like numbers to a teacher.
bool HasFullWidthNumber(std::string_view text) {
    for (size_t i = 0; i < text.size(); i += SjisCharLen(text, i)) {
        if (SjisCharLen(text, i) != 2) continue;
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if ((lead == 0x82 && trail >= 0x4F && trail <= 0x58) ||
            (lead == 0x81 && (trail == 0x40 || trail == 0x7C)))
            return true;
    }
    return false;
}

}  // namespace

std::string Shown(std::string_view sjis, size_t maxChars) {
    const std::string utf8 = SjisToUtf8Lossy(sjis);
    std::string out;
    size_t chars = 0;
    for (size_t i = 0; i < utf8.size(); ++chars) {
        if (chars == maxChars) {
            out += "…";
            break;
        }
        const auto b = static_cast<unsigned char>(utf8[i]);
        const size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        if (b == '\n')
            out += "↵";
        else if (b < 0x20 || b == 0x7F)
            out += "\xEF\xBF\xBD";
        else
            out.append(utf8, i, len);
        i += len;
    }
    return out;
}

DataReader::DataReader(const std::string& fsPath, const std::string& shownPath, std::vector<Problem>* report)
    : shownPath_(ShortenForMessage(shownPath)), report_(report), in_(fsPath, shownPath_, true) {
    const FileText& t = in_.Text();
    if (t.sjis.empty())
        Error(1, {"ファイルが空です。" + EndMarkHint(t).ja, "the file is empty." + EndMarkHint(t).en}, true);
    for (const FileText::Flaw& f : t.flaws) {
        switch (f.kind) {
            case FileText::Flaw::NotInShiftJis:
                Error(f.line,
                      {"'" + f.utf8 +
                           "' は Shift-JIS で表せない文字なので使えません。ほかの文字に直してください。",
                       "'" + f.utf8 +
                           "' cannot be written in Shift-JIS, which the program keeps its texts in; "
                           "use another character."});
                break;
            case FileText::Flaw::BadUtf8:
                Error(f.line,
                      {"ファイルの先頭に UTF-8 の印（BOM）がありますが、この行は UTF-8 ではありません。"
                       "ファイル全体を一つの文字コードで保存し直してください。",
                       "the file starts with a UTF-8 mark (BOM) but this line is not UTF-8; save the whole "
                       "file again in one encoding."});
                break;
            case FileText::Flaw::CutAtEnd:
                if (t.utf8)
                    Error(f.line,
                          {"ファイルの最後の文字が途中で切れています。ファイルが最後まで保存されていないよう"
                           "です。",
                           "the last character of the file is cut off; the file seems not to be saved "
                           "completely."});
                else
                    Warn(f.line, {"ファイルの最後の文字が途中で切れています。ファイルが最後まで保存されていな"
                                  "いようです。",
                                  "the last character of the file is cut off; the file seems not to be saved "
                                  "completely."});
                break;
            case FileText::Flaw::NulByte:
                Error(f.line,
                      {"文字コード 0（NUL）があります。テキストファイルとして保存されていないようです。",
                       "there is a byte 0 (NUL); the file does not seem to be saved as plain text."});
                break;
        }
    }
    if (t.textAfterEndMark)
        Warn(t.endMarkLine, {"文字コード 1A（ファイルの終わりの印）があり、ここから後は読まれません。",
                             "there is a character 1A (an end-of-file mark); nothing after it is read."});
}

Field DataReader::Next(size_t capacity) {
    Field f;
    f.text = in_.PeekLine(capacity);
    f.whole = in_.WholeLine();
    f.line = in_.LineNumber();
    return f;
}

void DataReader::Throw(int line, const Said& what, bool conversion) {
    const std::string place = "問題データファイル '" + shownPath_ + "'" +
                              (line > 0 ? " の " + std::to_string(line) + " 行目" : "") + ": ";
    Problem p{false, line, what.ja, what.en};
    if (conversion) throw ConversionError(place + what.ja, std::move(p));
    throw LimitError(place + what.ja, std::move(p));
}

void DataReader::Error(int line, const Said& what, bool fatal) {
    if (!Checking()) Throw(line, what, false);
    report_->push_back({false, line, what.ja, what.en});
    if (fatal) throw Stop{};
}

void DataReader::Warn(int line, const Said& what) {
    if (Checking()) report_->push_back({true, line, what.ja, what.en});
}

void DataReader::AtItem(int item, int itemCount, const Said& layout) {
    item_ = item;
    itemCount_ = itemCount;
    layout_ = &layout;
}

void DataReader::NoteItemText(std::string_view key, int line) {
    if (!Checking()) return;
    const auto [at, fresh] = seen_.emplace(key, line);
    if (!fresh)
        Warn(line, {"この問題は " + std::to_string(at->second) + " 行目の問題と同じです。",
                    "this item repeats the one on line " + std::to_string(at->second) + "."});
}

Said DataReader::NumberHint(std::string_view text) const {
    if (text.empty() && in_.AtEnd()) {
        Said s{"ファイルはここで終わっています。", " The file ends here."};
        if (item_ >= 0) {
            s.ja += "ヘッダーの問題数は " + std::to_string(itemCount_) + " ですが、問題は " +
                    std::to_string(item_) + " 問分しかありません。";
            s.en += " The header says " + std::to_string(itemCount_) + " items, but the file holds only " +
                    std::to_string(item_) + ".";
        }
        const Said mark = EndMarkHint(in_.Text());
        return {s.ja + mark.ja, s.en + mark.en};
    }
    if (text.empty() && in_.WholeLine().empty()) return {"空の行です。", " The line is empty."};
    if (text.find('\n') != std::string_view::npos)
        return {"この行の中に LF だけの改行があります。改行を CR LF か LF のどちらかにそろえてください。",
                " The line holds a line feed of its own; end all lines the same way (CR LF, or LF only)."};
    if (HasFullWidthNumber(text))
        return {"全角の数字や空白は使えません。半角で書いてください。",
                " Full-width digits and spaces do not count; write them half-width."};
    if (item_ > 0)
        return {"前の問題の行の数が合っていないようです。" + layout_->ja,
                " The item before seems to have a line too many or too few." + layout_->en};
    return layout_ ? *layout_ : Said{};
}

int32_t DataReader::ItemNumber(std::string_view text, int line, int item, const char* ja, const char* en,
                               bool fatal) {
    try {
        return ToInt(std::string(text));
    } catch (const ConversionError&) {
        return Number(text, line,
                      {std::to_string(item + 1) + " 問目の" + ja,
                       std::string(en) + " of item " + std::to_string(item + 1)},
                      fatal);
    }
}

int32_t DataReader::Number(std::string_view text, int line, const Said& expected, bool fatal) {
    try {
        return ToInt(std::string(text));
    } catch (const ConversionError&) {
        const Said hint = NumberHint(text);
        const std::string found = Shown(text, 80);
        const Said said{
            "'" + found + "' は数値ではありません（" + expected.ja + "を半角の数字で書くところです）。" +
                hint.ja,
            "'" + found + "' is not a number (" + expected.en + " goes here, in digits)." + hint.en};
        if (!Checking()) Throw(line, said, true);
        report_->push_back({false, line, said.ja, said.en});
        if (fatal) throw Stop{};
        return 0;
    }
}

}  // namespace vokamo
