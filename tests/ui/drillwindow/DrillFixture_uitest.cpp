// The fixture of the drill window tests (no tests of its own).
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QTest>
#include <array>

#include "DrillWindowFixture.h"
#include "TestSupport.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"

namespace vokamo::test {

namespace {

std::string Line(const std::string& utf8) {
    return Sjis(utf8) + "\r\n";
}

// Keypad keys in tag order: the key and the character it sends.
struct PadKey {
    int key;
    const char* text;
};
constexpr std::array<PadKey, 13> PadKeys{{{Qt::Key_Slash, "/"},
                                          {Qt::Key_Asterisk, "*"},
                                          {Qt::Key_Minus, "-"},
                                          {Qt::Key_7, "7"},
                                          {Qt::Key_8, "8"},
                                          {Qt::Key_9, "9"},
                                          {Qt::Key_Plus, "+"},
                                          {Qt::Key_4, "4"},
                                          {Qt::Key_5, "5"},
                                          {Qt::Key_6, "6"},
                                          {Qt::Key_1, "1"},
                                          {Qt::Key_2, "2"},
                                          {Qt::Key_3, "3"}}};

}  // namespace

void DrillWindowTest::Load(const std::vector<DrillItem>& items, int flashTime) {
    std::string bytes = Line("VOKAMO question data");
    bytes += Line("動物の英語 3 " + std::to_string(items.size()));
    bytes += Line("1") + Line("第1課");
    bytes += Line("2") + Line("選択") + Line("入力");
    for (const DrillItem& item : items) {
        bytes += Line("0 " + std::to_string(item.type));
        bytes += Line(item.question) + Line(item.choices) + Line(item.answer) + Line(item.explanation);
    }
    const std::string path = MakeTempDir() + "/drill.dat";
    WriteBytes(path, bytes);

    st.DataPath = path;
    ReadDataHeader(st);
    ASSERT_EQ(st.ItemCount, static_cast<int>(items.size()));
    st.LessonSelected[0] = 1;
    st.CodeSelected[0] = 1;
    st.CodeSelected[1] = 1;
    st.BarCount = 1;
    st.BarLabels[0] = st.LessonNames[0];
    st.ItemState.fill(-1);
    st.FlashTime = flashTime;
    st.RecordOpen = 1;
    BuildItemOrder(st);

    mainWindow = std::make_unique<QWidget>();
    mainWindow->setWindowTitle(QStringLiteral("Vantory"));
    mainWindow->resize(716, 479);
    mainWindow->move(40, 30);
    mainWindow->show();
    machine = std::make_unique<DrillMachine>(st, sound);
    omedeto = std::make_unique<TfrmOmedeto>();
    window = std::make_unique<TfrmQues>(*machine, mainWindow.get(), display, *omedeto, errors);
}

void DrillWindowTest::TearDown() {
    window.reset();
    omedeto.reset();
    machine.reset();
    mainWindow.reset();
}

void DrillWindowTest::Start() {
    window->StartDrill();
    Tick(DrillTimer::Start, 3);
}

void DrillWindowTest::Tick(DrillTimer timer, int times) {
    for (int n = 0; n < times; ++n) {
        switch (timer) {
            case DrillTimer::Start:
                window->tmrStartTimer();
                break;
            case DrillTimer::OK:
                window->tmrOKTimer();
                break;
            case DrillTimer::NG:
                window->tmrNGTimer();
                break;
            case DrillTimer::Flash:
                window->tmrFlashTimer();
                break;
        }
    }
}

QLabel* DrillWindowTest::Label(const char* name) const {
    auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(label, nullptr) << name;
    return label;
}

UiPanel* DrillWindowTest::Panel(const char* name) const {
    auto* panel = window->findChild<UiPanel*>(QString::fromLatin1(name));
    EXPECT_NE(panel, nullptr) << name;
    return panel;
}

QString DrillWindowTest::Text(const char* name) const {
    QLabel* label = Label(name);
    return label ? label->text() : QString();
}

UiPanel* DrillWindowTest::ChoiceShowing(const QString& caption) const {
    for (int k = 0; k < ChoiceButtonCount; ++k) {
        UiPanel* button = Panel(("s" + std::to_string(k)).c_str());
        if (button && button->isVisibleTo(window.get()) && button->Caption() == caption) return button;
    }
    return nullptr;
}

int DrillWindowTest::KeyTagShowing(const QString& letter) const {
    static const std::array<const char*, 13> names{"pnlKeyD", "pnlKeyM", "pnlKeyS", "pnlKey7", "pnlKey8",
                                                   "pnlKey9", "pnlKeyP", "pnlKey4", "pnlKey5", "pnlKey6",
                                                   "pnlKey1", "pnlKey2", "pnlKey3"};
    for (int tag = 0; tag < 13; ++tag)
        if (Panel(names[tag])->Caption() == letter) return tag;
    return -1;
}

void DrillWindowTest::Click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton);
}

void DrillWindowTest::Press(int qtKey, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent event(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(window.get(), &event);
}

void DrillWindowTest::Release(int qtKey, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent event(QEvent::KeyRelease, qtKey, mods, text);
    QApplication::sendEvent(window.get(), &event);
}

void DrillWindowTest::Stroke(int qtKey, Qt::KeyboardModifiers mods, const QString& text) {
    Press(qtKey, mods, text);
    Release(qtKey, mods, text);
}

void DrillWindowTest::TypeOnKeypad(const QString& word) {
    for (const QChar c : word) {
        const int tag = KeyTagShowing(QString(c).toLower());
        ASSERT_GE(tag, 0) << "no key shows " << QString(c).toStdString();
        Stroke(PadKeys[tag].key, Qt::KeypadModifier, QString::fromLatin1(PadKeys[tag].text));
    }
}

void DrillWindowTest::TypeOnMainRow(const QString& word) {
    for (const QChar c : word) Stroke(Qt::Key_A + (c.toUpper().unicode() - 'A'), Qt::NoModifier, QString(c));
}

void DrillWindowTest::Enter(const char* word) {
    TypeOnMainRow(QString::fromLatin1(word));
    Stroke(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
}

void DrillWindowTest::Screenshot(const char* name) {
    const QString path = QString::fromStdString(ShotPath(std::string("drill_") + name + ".png"));
    EXPECT_TRUE(window->grab().save(path)) << path.toStdString();
}

std::vector<QRect> DrillWindowTest::LineRects(const QLabel* label) {
    const QFontMetrics metrics(label->font());
    const QStringList lines = label->text().split(QLatin1Char('\n'));
    const QRect all =
        metrics.boundingRect(label->contentsRect(), static_cast<int>(label->alignment()), label->text());
    std::vector<QRect> rects;
    for (int n = 0; n < lines.size(); ++n)
        rects.emplace_back(label->x() + all.x(), label->y() + all.y() + n * metrics.lineSpacing(),
                           metrics.horizontalAdvance(lines[n]), metrics.height());
    return rects;
}

bool DrillWindowTest::Played(const std::string& name, SoundMode mode) const {
    for (const PlayedSound& s : sound.played)
        if (s.name == name && s.mode == mode) return true;
    return false;
}

}  // namespace vokamo::test
