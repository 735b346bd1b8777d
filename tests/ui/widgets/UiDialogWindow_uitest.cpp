#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <memory>

#include "Fakes.h"
#include "core/state/Errors.h"
#include "ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/Flash.h"
#include "ui/dialogs/Option.h"
#include "ui/dialogs/ScoreTable.h"
#include "ui/dialogs/SelLes.h"

namespace vokamo {
namespace {

// A main window whose redraw step fails while `failing` is set.
class FailingRedraw : public test::RecordingMainDisplay {
public:
    void RedrawStep() override {
        RecordingMainDisplay::RedrawStep();
        if (failing) throw FileError("rec.ret を読めません");
    }
    bool failing = false;
};

struct Dialog {
    const char* name;
    bool hasCancel;
    std::function<std::unique_ptr<QWidget>(ProgramState&, SoundPlayer&, MainDisplay&, ErrorBox&)> make;
    std::function<void(QWidget&)> open;
};

template <typename T>
Dialog Of(const char* name, bool hasCancel, void (T::*open)()) {
    return {name, hasCancel,
            [](ProgramState& st, SoundPlayer& sound, MainDisplay& main, ErrorBox& errors) {
                return std::make_unique<T>(st, sound, main, errors);
            },
            [open](QWidget& w) { (static_cast<T&>(w).*open)(); }};
}

// Every dialog on the shared frame answers the keys and its closing alike:
// Return and the keypad's Enter end it as OK does, Esc only where it has a
// cancel button, other keys leave it open; each closing of a shown window
// redraws the main window once, and a redraw that fails is shown, not thrown.
TEST(UiDialogWindowTest, KeysAndClosingOfEveryDialog) {
    for (const Dialog& d : {Of<TfrmFlash>("flash", false, &TfrmFlash::ShowAndLoad),
                            Of<TfrmOption>("option", true, &TfrmOption::ShowAndLoad),
                            Of<TfrmScoreTable>("score table", false, &TfrmScoreTable::FillAndShow),
                            Of<TfrmSel>("range", false, &TfrmSel::ShowAndFill)}) {
        SCOPED_TRACE(d.name);
        ProgramState st;
        test::FillCodedData(st, 3, 2, 12);
        test::RecordingSoundPlayer sound;
        FailingRedraw main;
        test::RecordingErrorBox errors;
        std::unique_ptr<QWidget> w = d.make(st, sound, main, errors);
        const struct {
            const char* name;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            bool closes;
        } keys[] = {{"Return", Qt::Key_Return, Qt::NoModifier, true},
                    {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, true},
                    {"Esc", Qt::Key_Escape, Qt::NoModifier, d.hasCancel},
                    {"space", Qt::Key_Space, Qt::NoModifier, false},
                    {"A", Qt::Key_A, Qt::NoModifier, false}};
        int redraws = 0;
        for (const auto& k : keys) {
            d.open(*w);
            QTest::keyClick(w.get(), k.key, k.modifiers);
            EXPECT_EQ(w->isVisible(), !k.closes) << k.name;
            if (k.closes) ++redraws;
            EXPECT_EQ(main.redraws, redraws) << k.name;
            w->hide();
        }
        w->close();  // already hidden
        EXPECT_EQ(main.redraws, redraws);

        main.failing = true;
        d.open(*w);
        w->close();
        EXPECT_FALSE(w->isVisible());
        ASSERT_EQ(errors.messages.size(), 1u);
        EXPECT_EQ(errors.messages[0], "rec.ret を読めません");
    }
}

}  // namespace
}  // namespace vokamo
