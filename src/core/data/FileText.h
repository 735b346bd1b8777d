#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vokamo {

// Question files come from teachers' editors: Shift-JIS with CR LF as the
// program has always read them, or UTF-8 (with or without a BOM) and LF line
// ends as editors on Linux save them. Both become the same Shift-JIS text, so
// every byte limit, cut and saved record is the same whichever was used.
//
// The decision: a UTF-16 BOM (as Notepad's "Unicode" saves) means UTF-16,
// which is read as the same text in UTF-8 would be; a UTF-8 BOM, or valid
// UTF-8 that holds non-ASCII bytes, means UTF-8; anything else is Shift-JIS. A LF alone ends a line only in a
// file that holds no CR at all; in a file with CRs it stays in the text.
struct FileText {
    // What could not be taken over as it stands, by line.
    struct Flaw {
        enum Kind {
            NotInShiftJis,  // a UTF-8 character Shift-JIS has no code for
            BadUtf8,        // bytes that are not UTF-8 in a file marked as UTF-8
            CutAtEnd,       // the last character of the file is incomplete
            NulByte,        // a byte 0: the file is no text file
            BadUtf16,       // a half of a UTF-16 surrogate pair alone
        };
        Kind kind;
        int line;
        std::string utf8;  // the character concerned, for NotInShiftJis
    };

    std::string sjis;               // the text up to (without) a 0x1A
    bool utf8 = false;              // converted from UTF-8 (or UTF-16)
    bool utf16 = false;             // the file was UTF-16
    bool lfLines = false;           // LF alone ends a line
    int endMarkLine = 0;            // line of a 0x1A that ended the text, or 0
    bool textAfterEndMark = false;  // something other than line ends followed it
    std::vector<Flaw> flaws;        // in line order; at most MaxFlaws
};

inline constexpr size_t MaxFlaws = 50;
// Far above the largest file the tables allow (600 items of five lines);
// anything bigger is no question file, and is not read into memory.
inline constexpr size_t MaxTextFileBytes = 16 * 1024 * 1024;

// The whole file. Throws FileError naming `shownPath` (UTF-8) when it cannot
// be opened or read, or is bigger than MaxTextFileBytes.
std::string ReadFileBytes(const std::string& fsPath, const std::string& shownPath);

// Decides the encoding and line ends of `bytes` as above and converts the
// text to Shift-JIS. With detect false the bytes are taken as Shift-JIS with
// CR line ends whatever they hold (learner records, written by the program).
FileText DecodeFileText(std::string bytes, bool detect);

// One UTF-8 text to Shift-JIS as DecodeFileText does it, appended to out;
// false when a character has no Shift-JIS code or the text is no valid UTF-8.
bool Utf8ToSjisFast(std::string_view utf8, std::string& out);

// UTF-16 (after its BOM) as UTF-8. A lone surrogate becomes LoneSurrogate, a
// byte that no UTF-8 holds, so that the reader can name its place; an odd
// last byte is dropped and reported by the caller as a cut character.
inline constexpr char LoneSurrogate = '\xFF';
std::string Utf16ToUtf8(std::string_view in, bool bigEndian);

}  // namespace vokamo
