#include "StressData.h"

#include <array>
#include <fstream>
#include <stdexcept>

#include "core/data/SjisText.h"

namespace vokamo::test {

namespace {

constexpr int Items = 600;
constexpr int Groups = 20;

struct Phrase {
    const char* answer;    // key input: blanks marked with "@"
    const char* choices;   // multiple choice, the first is the right one
    const char* question;  // UTF-8
    const char* note;      // UTF-8
};

// Cycled through; the item number is woven into each text so no two items
// read the same.
constexpr std::array<Phrase, 6> Phrases = {{
    {"I @get @up at six every morning and walk my dog", "look_for look_at look_after look_up look_into",
     "私は毎朝6時に起きて犬の散歩をします", "get up = 起きる。every morning で「毎朝」。"},
    {"She has @already @finished her homework before dinner", "finished finish finishes finishing",
     "彼女は夕食前にもう宿題を終えています", "現在完了形（完了）: have already + 過去分詞。"},
    {"This mountain is the @highest in our town", "highest higher high most_high",
     "この山は私たちの町で一番高い", "high の最上級は highest。the をつける。"},
    {"We @took @part in the school festival last weekend", "took_part_in take_care_of got_off",
     "私たちは先週末学校祭に参加しました", "take part in ～ = ～に参加する。"},
    {"Could you @tell me the way to the station please", "tell say speak talk",
     "駅への道を教えていただけませんか", "tell 人 the way to ～ = 人に～への道を教える。"},
    {"My brother is @interested in Japanese history", "interested interesting interest",
     "私の兄は日本の歴史に興味があります", "be interested in ～ = ～に興味がある。"},
}};

std::string Numbered(const char* utf8, int n) {
    return Sjis(utf8) + " (" + std::to_string(n) + ")";
}

}  // namespace

void WriteStressFile(const std::string& path) {
    std::string out;
    auto line = [&out](const std::string& sjis) { out += sjis + "\r\n"; };
    line(Sjis("負荷試験用の問題データ（種別3、最大の大きさ）"));
    line(Sjis("負荷試験用データ") + " 13 " + std::to_string(Items));
    line(std::to_string(Groups));
    for (int i = 0; i < Groups; ++i) line("Lesson" + std::to_string(i + 1) + " " + Sjis("単元の名前"));
    line(std::to_string(Groups));
    for (int i = 0; i < Groups; ++i) line(Sjis(i % 2 ? "入力問題" : "選択問題") + std::to_string(i));
    for (int i = 0; i < Items; ++i) {
        const Phrase& p = Phrases[static_cast<size_t>(i) % Phrases.size()];
        const int type = (i / 3) % 2;  // runs of three of each kind
        line(std::to_string(i % Groups) + " " + std::to_string(type));
        line(Numbered(p.question, i));
        if (type == 0) {
            const std::string choices = p.choices;
            line(choices);
            line("In item " + std::to_string(i) + " we @" + choices.substr(0, choices.find(' ')) + " it");
        } else {
            line("");
            line(std::string(p.answer) + " item " + std::to_string(i));
        }
        line(Numbered(p.note, i));
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file || !(file << out) || !file.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace vokamo::test
