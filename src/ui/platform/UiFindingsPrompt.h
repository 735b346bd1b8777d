#pragma once

#include "core/platform/Platform.h"

class QWidget;

namespace vokamo {

// The window that lists what the checker found in a question file (or a
// table), each finding with its place and its fix, with 「このまま使う」 and
// 「やめる」.
class UiFindingsPrompt : public FindingsPrompt {
public:
    explicit UiFindingsPrompt(QWidget* parent);
    bool UseDespiteFindings(const std::string& fileName, const std::vector<Finding>& findings) override;

private:
    QWidget* parent_;
};

// Texts of the window (UTF-8).
inline constexpr const char* FindingsCaption = "問題ファイルの注意";
inline constexpr const char* UseAsItIsText = "このまま使う";
inline constexpr const char* StopText = "やめる";

}  // namespace vokamo
