#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>
#include <type_traits>

namespace vokamo::test {

// A case's text as a gtest name (letters, digits and underscores): words
// joined in CamelCase, ".", "-" and "/" as "_", other signs as word breaks,
// any byte beyond ASCII as "x" and its two hex digits.
inline std::string CaseIdentifier(std::string_view text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    bool upper = false;
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80) {
            out += {'x', hex[b >> 4], hex[b & 15]};
        } else if (std::isalnum(b) || ch == '_') {
            out += upper ? static_cast<char>(std::toupper(b)) : ch;
            upper = false;
        } else if (ch == '.' || ch == '-' || ch == '/') {
            out += '_';
        } else {
            upper = true;
        }
    }
    return out.empty() ? "Empty" : out;
}

// Every byte of text that is no letter or digit as "x" and its hex digits,
// for cases that differ only there ("apple " and " apple").
inline std::string CaseBytes(std::string_view text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80 && std::isalnum(b))
            out += ch;
        else
            out += {'x', hex[b >> 4], hex[b & 15]};
    }
    return out.empty() ? "Empty" : out;
}

// A number in a gtest name: "Minus4" for -4.
inline std::string CaseNumber(long long n) {
    return n < 0 ? "Minus" + std::to_string(-n) : std::to_string(n);
}

// Names a parameterised case by what it is, the same in every build: its
// `name` field, or its value (a character by its code).
struct CaseName {
    template <class P>
    std::string operator()(const ::testing::TestParamInfo<P>& info) const {
        if constexpr (requires { info.param.name; })
            return CaseIdentifier(info.param.name);
        else if constexpr (std::is_same_v<P, char>)
            return "Char" + std::to_string(static_cast<unsigned char>(info.param));
        else if constexpr (std::is_same_v<P, bool>)
            return info.param ? "Yes" : "No";
        else if constexpr (std::is_arithmetic_v<P>)
            return (info.param < 0 ? "Minus" : "") +
                   std::to_string(info.param < 0 ? -info.param : info.param);
        else
            static_assert(std::is_arithmetic_v<P>,
                          "give the case a name field or a name generator of its own");
    }
};

}  // namespace vokamo::test
