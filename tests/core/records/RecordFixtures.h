#pragma once

// Question data and record files made on the fly for the record tests, the
// main-window tests and the record benchmark. Texts are Shift-JIS, lines end
// in CR LF.

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "core/data/SjisText.h"

namespace vokamo::test {

struct DataShape {
    int typeCode = 1;
    int lessons = 2;              // kinds 1..3
    int codes = 2;                // kinds 2 and 3
    std::vector<int> itemLesson;  // one entry per item
    std::vector<int> itemCode;    // kinds 2 and 3; empty: all 0
    std::string title = "単語テスト";
};

inline std::string CrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

// The bytes of a question data file following shape.
inline std::string DataBytes(const DataShape& shape) {
    const int kind = shape.typeCode % 10;
    const int items = static_cast<int>(shape.itemLesson.size());
    std::vector<std::string> lines = {
        "Vokamo data",
        Sjis(shape.title) + " " + std::to_string(shape.typeCode) + " " + std::to_string(items)};
    if (kind > 0) {
        lines.push_back(std::to_string(shape.lessons));
        for (int i = 0; i < shape.lessons; ++i)
            lines.push_back(Sjis("第") + std::to_string(i + 1) + Sjis("課"));
    }
    if (kind > 1) {
        lines.push_back(std::to_string(shape.codes));
        for (int i = 0; i < shape.codes; ++i) lines.push_back(Sjis("コード") + std::to_string(i));
    }
    for (int i = 0; i < items; ++i) {
        const int code = shape.itemCode.empty() ? 0 : shape.itemCode[static_cast<size_t>(i)];
        const std::string codes =
            std::to_string(shape.itemLesson[static_cast<size_t>(i)]) + " " + std::to_string(code);
        // Letters stand for the item number: answers are typed on the keys.
        const std::string answer = "This is a @pen" + test::LetterNumber(i) + " .";
        const std::string question = Sjis("これはペンです。");
        if (kind == 0) {
            lines.insert(lines.end(), {answer, question});
        } else if (kind == 1) {
            lines.insert(lines.end(), {std::to_string(shape.itemLesson[static_cast<size_t>(i)]), answer,
                                       question, Sjis("説明")});
        } else if (kind == 2) {
            lines.insert(lines.end(), {codes, answer, question, Sjis("説明")});
        } else {
            lines.insert(lines.end(),
                         {codes, question, "pen" + test::LetterNumber(i) + " cat dog", answer, Sjis("説明")});
        }
    }
    return CrLf(lines);
}

// n items spread over `lessons` lessons in blocks.
inline DataShape EvenShape(int typeCode, int items, int lessons, int codes) {
    DataShape shape;
    shape.typeCode = typeCode;
    shape.lessons = lessons;
    shape.codes = codes;
    for (int i = 0; i < items; ++i) {
        shape.itemLesson.push_back(typeCode % 10 == 0 ? 0 : i * lessons / items);
        // In kind 3 the code is the question type: 0 or 1 only.
        const int usedCodes = typeCode % 10 == 3 ? std::min(codes, 2) : codes;
        shape.itemCode.push_back(typeCode % 10 >= 2 ? i % usedCodes : 0);
    }
    return shape;
}

inline std::string WriteDataFile(const std::string& dir, const std::string& name, const DataShape& shape) {
    const std::string path = dir + "/" + name;
    WriteBytes(path, DataBytes(shape));
    return path;
}

// A record for a data file made from shape, in the writer's own layout:
// lessons alternate selected/deselected from the second on, item i has
// i % 5 tries and state i % 4 - 1.
inline std::string RecordBytesFor(const std::string& dataPath, const DataShape& shape,
                                  const std::string& player = "Taro, Jr.") {
    const int kind = shape.typeCode % 10;
    const int items = static_cast<int>(shape.itemLesson.size());
    std::vector<std::string> lines = {
        dataPath, Sjis(shape.title), player,
        std::to_string(shape.typeCode) + "," + std::to_string(items) + ",1,3,1,0"};
    if (kind > 0) {
        lines.push_back(std::to_string(shape.lessons));
        for (int i = 0; i < shape.lessons; ++i) lines.push_back(i % 2 == 0 ? "1" : "0");
    }
    if (kind > 1) {
        lines.push_back(std::to_string(shape.codes));
        for (int i = 0; i < shape.codes; ++i) lines.push_back(i == 1 ? "0" : "1");
    }
    for (int i = 0; i < items; ++i) lines.push_back(std::to_string(i % 5) + "," + std::to_string(i % 4 - 1));
    return CrLf(lines);
}

}  // namespace vokamo::test
