#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "Fakes.h"
#include "core/drill/DrillMachine.h"
#include "core/state/ProgramState.h"
#include "ui/dialogs/Omedeto.h"
#include "ui/drillwindow/QuesPan.h"
#include "ui/widgets/UiPanel.h"

namespace vokamo::test {

// One item of a kind-3 question data file (UTF-8 here, written in Shift-JIS).
struct DrillItem {
    int type;  // 0 multiple choice, 1 key input
    std::string question, choices, answer, explanation;
};

// The real drill window over the real drill, a data file of its own, a
// recording sound player and a plain main window.
class DrillWindowTest : public ::testing::Test {
protected:
    void Load(const std::vector<DrillItem>& items, int flashTime = 0);
    void TearDown() override;

    void Start();  // btnGo, then the banner's three ticks
    void Tick(DrillTimer timer, int times = 1);
    void PassOkPause() { Tick(DrillTimer::OK, 9); }

    QLabel* Label(const char* name) const;
    UiPanel* Panel(const char* name) const;
    QString Text(const char* name) const;
    // The visible choice button showing the text, or null.
    UiPanel* ChoiceShowing(const QString& caption) const;
    // The keypad key showing the letter (tags 5..12 are the chosen letters).
    int KeyTagShowing(const QString& letter) const;

    void Click(QWidget* widget);
    void Press(int qtKey, Qt::KeyboardModifiers mods, const QString& text);
    void Release(int qtKey, Qt::KeyboardModifiers mods, const QString& text);
    void Stroke(int qtKey, Qt::KeyboardModifiers mods, const QString& text);
    void TypeOnKeypad(const QString& word);
    void TypeOnMainRow(const QString& word);
    void Enter(const char* word);  // typed on the main row, then Enter
    void Screenshot(const char* name);
    // Each line of a label's text as the rectangle it covers, in the
    // coordinates of the label's parent.
    static std::vector<QRect> LineRects(const QLabel* label);
    bool Played(const std::string& name, SoundMode mode) const;

    ProgramState st;
    RecordingSoundPlayer sound;
    RecordingMainDisplay display;
    RecordingErrorBox errors;
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<DrillMachine> machine;
    std::unique_ptr<TfrmOmedeto> omedeto;
    std::unique_ptr<TfrmQues> window;
};

}  // namespace vokamo::test
