#pragma once

#include "core/platform/Platform.h"

class QWidget;

namespace vokamo {

// The questions after a failed save at the end, as message boxes, and the
// file dialog for another place.
class UiSaveFailurePrompt : public SaveFailurePrompt {
public:
    explicit UiSaveFailurePrompt(QWidget* parent);
    FailedSaveChoice AskAfterFailedSave(const std::string& utf8Message) override;
    bool ConfirmEndWithoutSaving(const std::string& utf8Message) override;
    std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& filter) override;

private:
    QWidget* parent_;
};

}  // namespace vokamo
