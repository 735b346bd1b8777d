#include "core/data/DataReader.h"

#include <algorithm>
#include <cstdio>

#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"
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

// The code point of one UTF-8 character.
uint32_t CodePoint(std::string_view utf8) {
    if (utf8.empty()) return 0;
    const auto b0 = static_cast<unsigned char>(utf8[0]);
    const size_t len = b0 < 0x80 ? 1 : b0 < 0xE0 ? 2 : b0 < 0xF0 ? 3 : 4;
    uint32_t cp = len == 1 ? b0 : b0 & (0x3Fu >> (len - 1));
    for (size_t k = 1; k < len && k < utf8.size(); ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(utf8[k]) & 0x3Fu);
    return cp;
}

// Characters that take no room on the screen: joiners, variation selectors,
// marks of direction and the like. A message can only name them by code.
bool Invisible(uint32_t cp) {
    return (cp >= 0x200B && cp <= 0x200F) || (cp >= 0x202A && cp <= 0x202E) ||
           (cp >= 0x2060 && cp <= 0x2064) || (cp >= 0xFE00 && cp <= 0xFE0F) || cp == 0xFEFF || cp == 0x00AD ||
           cp == 0x034F || (cp >= 0xE0000 && cp <= 0xE01EF);
}

// "'é'（U+00E9）", or for a character nobody sees, its code alone.
Said CharacterForMessage(const std::string& utf8) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(CodePoint(utf8)));
    if (Invisible(CodePoint(utf8)))
        return {std::string("目に見えない文字 ") + code + " ",
                std::string("the invisible character ") + code};
    return {"'" + utf8 + "'（" + code + "）", "'" + utf8 + "' (" + code + ")"};
}

}  // namespace

const Said TabOnLine{"この行にタブがあります。タブは区切りにならず、画面にもそのままは出ません。",
                     "this line holds a tab; a tab separates nothing and does not show on the screen."};
const Said TabFix{"タブを半角スペースに直してください。", "replace the tab with a half-width space."};

bool HasTab(std::string_view text) {
    return text.find('\t') != std::string_view::npos;
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

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
        if (b == '\n') {
            out += "↵";
        } else if (b == '\t') {
            out += "〈タブ〉";
        } else if (b < 0x20 || b == 0x7F) {
            char code[16];
            std::snprintf(code, sizeof code, "〈U+%04X〉", b);
            out += code;
        } else {
            out.append(utf8, i, len);
        }
        i += len;
    }
    return out;
}

Said MissingMemoHint(std::string_view line1, std::string_view line2) {
    const auto parts = SplitWords(line1);
    bool header = parts.size() >= 3;
    for (size_t k = 1; header && k < 3; ++k) {
        try {
            ToInt(std::string(WithoutTrailingBlanks(parts[k])));
        } catch (const ConversionError&) {
            header = false;
        }
    }
    bool sentence = false;
    for (const std::string& word : SplitWords(line2)) sentence = sentence || word.starts_with('@');
    if (!header && !sentence) return {};
    return {std::string(header ? "1 行目がヘッダー行のようです。" : "2 行目が問題の英文のようです。") +
                "1 行目はメモの行で、読まれません。ヘッダー行は 2 行目に書きます。",
            std::string(header ? " Line 1 looks like the header line."
                               : " Line 2 looks like an item's sentence.") +
                " Line 1 is a memo line that is never read; the header line is line 2."};
}

DataReader::DataReader(const std::string& fsPath, const std::string& shownPath, std::vector<Problem>* report)
    : shownPath_(ShortenForMessage(shownPath)), report_(report), in_(fsPath, shownPath_, true) {
    const FileText& t = in_.Text();
    if (t.sjis.empty())
        Error(1, {"ファイルが空です。" + EndMarkHint(t).ja, "the file is empty." + EndMarkHint(t).en}, true);
    for (const FileText::Flaw& f : t.flaws) {
        switch (f.kind) {
            case FileText::Flaw::NotInShiftJis: {
                const Said ch = CharacterForMessage(f.utf8);
                Error(
                    f.line,
                    {ch.ja +
                         "は Shift-JIS で表せない文字なので使えません。ほかの文字に直すか、消してください。",
                     ch.en + " cannot be written in Shift-JIS, which the program keeps its texts in; "
                             "use another character or delete it."});
                break;
            }
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
                    Warn(f.line,
                         {"ファイルの最後の文字が途中で切れています。ファイルが最後まで保存されていな"
                          "いようです。",
                          "the last character of the file is cut off; the file seems not to be saved "
                          "completely."},
                         {"エディターで開いて、最後の行を確かめてから保存し直してください。",
                          "open it in an editor, check the last line and save it again."});
                break;
            case FileText::Flaw::BadUtf16:
                Error(f.line,
                      {"この行に UTF-16 として正しくない文字があります。ファイルを UTF-8 "
                       "で保存し直してください。",
                       "this line holds bytes that are no UTF-16 character; save the file again as UTF-8."});
                break;
            case FileText::Flaw::NulByte:
                Error(f.line,
                      {"文字コード 0（NUL）があります。テキストファイルとして保存されていないようです。",
                       "there is a byte 0 (NUL); the file does not seem to be saved as plain text."});
                break;
        }
    }
    for (const FileText::Flaw& f : t.flaws)
        if (f.kind == FileText::Flaw::NotInShiftJis || f.kind == FileText::Flaw::BadUtf8 ||
            f.kind == FileText::Flaw::BadUtf16)
            replacedLines_.push_back(f.line);
    if (t.textAfterEndMark)
        Warn(t.endMarkLine,
             {"文字コード 1A（ファイルの終わりの印）があり、ここから後は読まれません。",
              "there is a character 1A (an end-of-file mark); nothing after it is read."},
             {"別のエディターで開いて保存し直すか、その文字を消してください。",
              "save the file again from another editor, or delete that character."});
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
    Problem p{false, line, what.ja, what.en, {}, {}};
    if (conversion) throw ConversionError(place + what.ja, std::move(p));
    throw LimitError(place + what.ja, std::move(p));
}

bool DataReader::Replaced(int line) const {
    return std::find(replacedLines_.begin(), replacedLines_.end(), line) != replacedLines_.end();
}

void DataReader::Note(Problem p) {
    if (!Replaced(p.line)) report_->push_back(std::move(p));
}

void DataReader::Error(int line, const Said& what, bool fatal, const Said& fix) {
    if (!Checking()) Throw(line, {what.ja + fix.ja, what.en + (fix.en.empty() ? "" : " " + fix.en)}, false);
    Note({false, line, what.ja, what.en, fix.ja, fix.en});
    if (fatal) throw Stop{};
}

void DataReader::Warn(int line, const Said& what, const Said& fix) {
    if (Checking()) Note({true, line, what.ja, what.en, fix.ja, fix.en});
}

void DataReader::SkipMemoLine() {
    in_.SkipLine();
    line1_ = std::string(CutLine(in_.WholeLine(), 255));
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
        Warn(line,
             {"この問題は " + std::to_string(at->second) + " 行目の問題と同じです。",
              "this item repeats the one on line " + std::to_string(at->second) + "."},
             {"どちらかを消すか、書きかえてください。", "delete or reword one of them."});
}

Said DataReader::NumberHint(std::string_view text, int line) const {
    if (HasTab(text) || (text.empty() && HasTab(in_.WholeLine())))
        return {"タブがあります。数字の間はタブではなく半角スペースで区切ります。" + TabFix.ja,
                " There is a tab; numbers are separated by half-width spaces, not tabs; " + TabFix.en};
    if (line == 2) {
        const Said memo = MissingMemoHint(line1_, in_.WholeLine());
        if (!memo.ja.empty()) return memo;
    }
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
        return ToInt(std::string(WithoutTrailingBlanks(text)));
    } catch (const ConversionError&) {
        return Number(text, line,
                      {std::to_string(item + 1) + " 問目の" + ja,
                       std::string(en) + " of item " + std::to_string(item + 1)},
                      fatal);
    }
}

int32_t DataReader::Number(std::string_view text, int line, const Said& expected, bool fatal) {
    try {
        return ToInt(std::string(WithoutTrailingBlanks(text)));
    } catch (const ConversionError&) {
        const Said hint = NumberHint(text, line);
        const std::string found = Shown(text, 80);
        const Said said{
            "'" + found + "' は数値ではありません（" + expected.ja + "を半角の数字で書くところです）。" +
                hint.ja,
            "'" + found + "' is not a number (" + expected.en + " goes here, in digits)." + hint.en};
        if (!Checking()) Throw(line, said, true);
        Note({false, line, said.ja, said.en, {}, {}});
        if (fatal) throw Stop{};
        return 0;
    }
}

}  // namespace vokamo
