#pragma once

#include <string>

#include "core/platform/Platform.h"

class QWidget;

namespace vokamo {

// The caption of the drill program's message boxes (UTF-8); the class
// overview uses its own title.
inline constexpr const char* MessageCaption = "Vantory";

// What a failed step has to say, in a box the learner closes before going on.
class UiErrorBox : public ErrorBox {
public:
    explicit UiErrorBox(QWidget* parent);
    void ShowError(const std::string& utf8Message) override;

private:
    QWidget* parent_;
};

}  // namespace vokamo
