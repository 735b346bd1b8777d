#include "core/data/ItemCheck.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/data/LineReader.h"
#include "core/data/SjisText.h"
#include "core/data/TextUtils.h"
#include "core/state/ProgramState.h"

namespace vokamo {

namespace {

constexpr int MaxChoices = 9;
// Letters beyond these do not fit into the input line.
constexpr size_t MaxTypedLetters = 30;
// Only the start of a word decides its keys.
constexpr size_t KeyScanChars = 50;

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsKeyMark(char c) {
    return c == '\'' || c == ',' || c == '.' || c == '-';
}

// Calls f for each word between half-width spaces, as SplitWords cuts them
// but without copying: the header read runs this over every item.
template <typename F>
void ForEachWord(std::string_view text, F f) {
    size_t start = std::string_view::npos;
    for (size_t i = 0; i < text.size();) {
        const size_t len = SjisCharLen(text, i);
        if (len == 1 && text[i] == ' ') {
            if (start != std::string_view::npos) f(text.substr(start, i - start));
            start = std::string_view::npos;
        } else if (start == std::string_view::npos) {
            start = i;
        }
        i += len;
    }
    if (start != std::string_view::npos) f(text.substr(start));
}

// Index into KeySymbols of a lower-case character, or -1.
int KeySymbolIndex(char c) {
    static const std::array<int8_t, 128> index = [] {
        std::array<int8_t, 128> t{};
        t.fill(-1);
        for (size_t s = 0; s < KeySymbols.size(); ++s)
            t[static_cast<unsigned char>(KeySymbols[s][0])] = static_cast<int8_t>(s);
        return t;
    }();
    const auto b = static_cast<unsigned char>(c);
    return b < 128 ? index[b] : -1;
}

char Folded(char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    return c == '_' ? ' ' : c;
}

// Whether the drill judges the choice right for the answer word: both with
// "_" as a space, the choice cut as its panel shows it, letter case ignored.
bool ChoiceMatches(std::string_view choice, std::string_view word) {
    const std::string_view c = CutLine(choice, ChoiceTextBytes);
    const std::string_view w = CutLine(word, ItemTextBytes);
    if (c.size() != w.size()) return false;
    for (size_t i = 0; i < c.size();) {
        const size_t len = SjisCharLen(c, i);
        if (len != SjisCharLen(w, i)) return false;
        if (len == 2 ? c.substr(i, 2) != w.substr(i, 2) : Folded(c[i]) != Folded(w[i])) return false;
        i += len;
    }
    return true;
}

std::string Quoted(std::string_view sjis) {
    return "「" + Shown(sjis) + "」";
}

std::string QuotedEn(std::string_view sjis) {
    return "\"" + Shown(sjis) + "\"";
}

// A word of the answer line whose letters are typed: letters from the keys
// or the keyboard, marks only from their on-screen keys, which come after the
// consonants and so only while the word needs no more than eight keys.
void CheckTypedWord(DataReader& r, int line, std::string_view word) {
    if (word.empty()) {
        r.Warn(line,
               {"中身のない @ があります。生徒は何も打たずに Enter を押すと正解になります。",
                "there is an @ with no word after it; the pupil is right by pressing Enter alone."},
               {"「@」と答の語の間の空白を消してください（@ bag ではなく @bag）。",
                "remove the space between @ and its word (@bag, not @ bag)."});
        return;
    }
    for (size_t i = 0; i < word.size(); i += SjisCharLen(word, i)) {
        const size_t len = SjisCharLen(word, i);
        if (len == 1 && (IsLetter(word[i]) || IsKeyMark(word[i]))) continue;
        if (word[i] == '\t') {
            r.Error(line,
                    {"答の語" + Quoted(word) +
                         "にタブがあります。タブは区切りにならず、キーでも打てないので、"
                         "この問題には正解できません。",
                     "the answer word " + QuotedEn(word) +
                         " holds a tab, which separates nothing and no key types, so the item can never be "
                         "answered right."},
                    false, TabFix);
            return;
        }
        const std::string ch(word.substr(i, len));
        const bool fullWidth = len == 2 && static_cast<unsigned char>(word[i]) == 0x82;
        r.Error(line,
                {"答の語" + Quoted(word) + "の" + Quoted(ch) +
                     "はキーで打てないので、この問題には正解できません。キー入力の答に使えるのは半角の英字と "
                     "' , . - だけです。" +
                     (fullWidth ? "全角の英数字は半角に直してください。" : ""),
                 "the answer word " + QuotedEn(word) + " holds " + QuotedEn(ch) +
                     ", which no key types, so the item can never be answered right; key-input answers may "
                     "only use half-width letters and ' , . -" +
                     (fullWidth ? " (write full-width letters half-width)." : ".")});
        return;
    }
    if (word.size() > MaxTypedLetters) {
        r.Error(line,
                {"答の語" + Quoted(word) + "は " + std::to_string(word.size()) + " 文字あり、入力欄には " +
                     std::to_string(MaxTypedLetters) + " 文字までしか入らないので、正解できません。",
                 "the answer word " + QuotedEn(word) + " has " + std::to_string(word.size()) +
                     " letters, but the input line takes only " + std::to_string(MaxTypedLetters) +
                     ", so it can never be answered right."});
        return;
    }
    // The keys the drill gives this word: every symbol it needs, in key order,
    // the first eight of them.
    uint32_t needed = 0;
    for (size_t i = 0; i < word.size() && i < KeyScanChars; ++i) {
        const int s = KeySymbolIndex(Folded(word[i]));
        if (s >= 0) needed |= 1u << s;
    }
    int given = 0;
    for (size_t s = 0; s < KeySymbols.size(); ++s) {
        if (!(needed & (1u << s))) continue;
        if (given++ < ExtraKeyCount || !IsKeyMark(KeySymbols[s][0])) continue;
        const std::string mark = KeySymbols[s];
        r.Error(line, {"答の語" + Quoted(word) + "には記号 " + mark +
                           " が要りますが、子音と記号が 8 種類を超えるので " + mark +
                           " のキーが出ず、正解できません。",
                       "the answer word " + QuotedEn(word) + " needs the mark " + mark +
                           ", but it needs more than eight consonants and marks, so no key for " + mark +
                           " is shown and it can never be answered right."});
        return;
    }
    const char first = word.front();
    const char last = word.back();
    if (IsKeyMark(first) || IsKeyMark(last)) {
        const std::string mark(1, IsKeyMark(last) ? last : first);
        // The natural "my @bag." puts the full stop into the blank.
        const std::string bare(word.substr(
            IsKeyMark(first) ? 1 : 0, word.size() - (IsKeyMark(first) ? 1 : 0) - (IsKeyMark(last) ? 1 : 0)));
        const std::string example =
            IsKeyMark(last) ? "@" + Shown(bare) + " " + mark : mark + " @" + Shown(bare);
        r.Warn(line,
               {"答の語" + Quoted(word) + "の「" + mark +
                    "」は空欄に隠れて生徒に見えませんが、打たないと正解になりません。",
                "the answer word " + QuotedEn(word) + " hides the mark \"" + mark +
                    "\" in its blank, yet the pupil must type it."},
               {"「" + example + "」のように、記号" + (IsKeyMark(last) ? "の前" : "のあと") +
                    "に半角スペースを入れます。",
                "write \"" + example + "\": put a half-width space " +
                    (IsKeyMark(last) ? "before" : "after") + " the mark."});
    }
}

}  // namespace

void CheckCut(DataReader& r, const Field& f, size_t capacity) {
    if (!r.Checking() || f.whole.size() <= capacity) return;
    const std::string_view dropped = f.whole.substr(f.text.size());
    r.Warn(f.line,
           {"この行は " + std::to_string(capacity) + " バイトまでしか読まれないので、" +
                Quoted(dropped.substr(0, 60)) + "から後ろが切れます。",
            "only " + std::to_string(capacity) + " bytes of this line are read; from " +
                QuotedEn(dropped.substr(0, 60)) + " on it is cut off."},
           {"行を短くしてください（全角 90 字まで）。", "make the line shorter (90 full-width characters)."});
}

void CheckItem(DataReader& r, const ItemFields& item) {
    if (HasTypedItems(item.kind)) {
        const int choices = CountWords(item.choices.text);
        if (choices > MaxChoices)
            r.Error(item.choices.line, {"選択肢が " + std::to_string(choices) + " 個あります（9 個まで）。",
                                        "there are " + std::to_string(choices) + " choices (9 at most)."});
    }
    const int words = CountWords(item.answer.text);
    if (words > MaxParts) {
        r.Error(item.answer.line, {"解答行の語が " + std::to_string(words) + " 個あります（" +
                                       std::to_string(MaxParts) + " 個まで）。",
                                   "the answer line has " + std::to_string(words) + " words (" +
                                       std::to_string(MaxParts) + " at most)."});
        return;
    }
    for (const Field* f : {&item.answer, &item.question, &item.choices, &item.explanation})
        if (f->line > 0) CheckCut(r, *f, ItemTextBytes);
    if (!item.answer.whole.empty()) r.NoteItemText(item.answer.whole, item.answer.line);

    std::array<std::string_view, MaxParts> blanks{};
    size_t blankCount = 0;
    ForEachWord(item.answer.text, [&](std::string_view word) {
        if (word.front() == '@' && blankCount < blanks.size()) blanks[blankCount++] = word.substr(1);
    });
    const int line = item.answer.line;
    bool tabInBlank = false;
    for (size_t k = 0; k < blankCount; ++k) tabInBlank = tabInBlank || HasTab(blanks[k]);
    if (!tabInBlank && HasTab(item.answer.text)) r.Warn(line, TabOnLine, TabFix);
    for (const Field* f : {&item.question, &item.explanation})
        if (f->line > 0 && HasTab(f->text)) r.Warn(f->line, TabOnLine, TabFix);
    if (item.choice && HasTab(item.choices.text)) r.Warn(item.choices.line, TabOnLine, TabFix);
    if (blankCount == 0) {
        // The drill shows such an item with nothing to answer, and can
        // never count it as learned.
        const bool empty = item.answer.whole.empty();
        r.Error(
            line,
            {empty ? "解答行が空なので、生徒が答えるところがありません。"
                   : "解答行に @ の付いた答の語がないので、生徒が答えるところがありません。",
             empty ? "the answer line is empty, so there is nothing for the pupil to answer."
                   : "the answer line has no answer word marked with @, so there is nothing for the pupil "
                     "to answer."},
            false,
            {"答にする語の前に @ を付けてください（例: This is my @bag .）。",
             "put @ before the word to be answered (e.g. This is my @bag .)."});
        return;
    }
    if (!item.choice) {
        for (size_t k = 0; k < blankCount; ++k) CheckTypedWord(r, line, blanks[k]);
        return;
    }
    const std::string_view answer = blanks[blankCount - 1];
    int offered = 0;
    bool found = false;
    ForEachWord(item.choices.text, [&](std::string_view choice) {
        if (offered++ >= MaxChoices) return;
        found = found || ChoiceMatches(choice, answer);
        if (r.Checking() && choice.size() > static_cast<size_t>(ChoiceTextBytes))
            r.Warn(item.choices.line,
                   {"選択肢" + Quoted(choice) + "は " + std::to_string(ChoiceTextBytes) +
                        " バイトを超えるので、切れて表示されます。",
                    "the choice " + QuotedEn(choice) + " is longer than " + std::to_string(ChoiceTextBytes) +
                        " bytes and is shown cut."},
                   {"選択肢を短くしてください（全角 30 字まで）。",
                    "make the choice shorter (30 full-width characters)."});
    });
    if (!found) {
        const std::string choicesLine = std::to_string(item.choices.line);
        r.Error(
            line,
            {"答の語" + Quoted(answer) + "が " + choicesLine +
                 " 行目の選択肢にないので、正解できません（大文字と小文字は区別しません。_ は空白です）。",
             "the answer word " + QuotedEn(answer) + " is not among the choices on line " + choicesLine +
                 ", so the item can never be answered right (case does not matter; _ "
                 "stands for a space)."});
    }
    if (blankCount > 1)
        r.Warn(line,
               {"選択問題の答の語は一つです。@ の付いた語が " + std::to_string(blankCount) +
                    " 個あり、最後の" + Quoted(answer) + "だけが問われます。",
                "a multiple-choice item asks one answer word; there are " + std::to_string(blankCount) +
                    " words marked with @ and only the last, " + QuotedEn(answer) + ", is asked."},
               {"@ は答の語一つにだけ付けてください。", "mark only the one answer word with @."});
}

}  // namespace vokamo
