#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <thread>

#include "TestSupport.h"
#include "ui/platform/UiSignalPipe.h"
#include "ui/platform/UiSoundPlayer.h"

namespace vokamo {
namespace {

namespace fs = std::filesystem;
using test::MakeTempDir;
using test::WriteBytes;

// The backend module is built next to the program, in the build folder.
QStringList ModuleDirs() {
    return {QString::fromStdString(test::BuildDir())};
}

void Put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}
void Put16(std::string& s, uint16_t v) {
    s.push_back(static_cast<char>(v & 0xff));
    s.push_back(static_cast<char>(v >> 8));
}

// A 16-bit PCM WAV of `ms` milliseconds. extraChunk puts an odd-sized LIST
// chunk between "fmt " and "data", as sound editors do.
std::string MakeWav(int ms, int rate = 22050, int channels = 1, bool extraChunk = false) {
    const auto frames = static_cast<uint32_t>(static_cast<int64_t>(rate) * ms / 1000);
    std::string pcm;
    for (uint32_t i = 0; i < frames; ++i) {
        const auto v = static_cast<int16_t>(2000 * std::sin(i * 0.1));
        for (int c = 0; c < channels; ++c) Put16(pcm, static_cast<uint16_t>(v));
    }
    std::string body = "WAVEfmt ";
    Put32(body, 16);
    Put16(body, 1);
    Put16(body, static_cast<uint16_t>(channels));
    Put32(body, static_cast<uint32_t>(rate));
    Put32(body, static_cast<uint32_t>(rate * channels * 2));
    Put16(body, static_cast<uint16_t>(channels * 2));
    Put16(body, 16);
    if (extraChunk) {
        body += "LIST";
        Put32(body, 5);
        body += std::string("INFOx") + '\0';
    }
    body += "data";
    Put32(body, static_cast<uint32_t>(pcm.size()));
    body += pcm;
    std::string file = "RIFF";
    Put32(file, static_cast<uint32_t>(body.size()));
    return file + body;
}

// --- reading the length from the header ---------------------------------

struct WavCase {
    const char* label;
    std::string bytes;
    std::optional<int> ms;
};
void PrintTo(const WavCase& c, std::ostream* os) {
    *os << c.label;
}

class WavDuration : public ::testing::TestWithParam<WavCase> {};

TEST_P(WavDuration, ReadsLengthFromHeader) {
    const std::string path = MakeTempDir() + "/s.wav";
    WriteBytes(path, GetParam().bytes);
    EXPECT_EQ(WavDurationMs(QString::fromStdString(path)), GetParam().ms);
}

INSTANTIATE_TEST_SUITE_P(
    Files, WavDuration,
    ::testing::Values(WavCase{"mono", MakeWav(300), 300}, WavCase{"stereo44k", MakeWav(250, 44100, 2), 250},
                      WavCase{"listChunkBeforeData", MakeWav(420, 22050, 1, true), 420},
                      // A file cut off in the middle only holds half its sound.
                      WavCase{"truncated", MakeWav(400).substr(0, 44 + 22050 * 2 / 5), 200},
                      WavCase{"notRiff", "OggS" + MakeWav(100).substr(4), std::nullopt},
                      WavCase{"headerOnly", MakeWav(100).substr(0, 20), std::nullopt},
                      WavCase{"empty", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(WavDurationFile, MissingFileHasNoLength) {
    EXPECT_EQ(WavDurationMs(QString::fromStdString(MakeTempDir() + "/none.wav")), std::nullopt);
}

// --- the player ------------------------------------------------------------

class KeyCatcher : public QWidget {
public:
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
};

// Each test gets its own current folder (the teacher's folder) and its own
// folder of shipped sounds.
class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldCurrent = QDir::currentPath();
        work = QString::fromStdString(MakeTempDir());
        shipped = QString::fromStdString(MakeTempDir());
        QDir::setCurrent(work);
    }
    void TearDown() override { QDir::setCurrent(oldCurrent); }

    void Put(const QString& dir, const char* name, int ms) {
        WriteBytes((dir + "/" + name).toStdString(), MakeWav(ms));
    }
    static qint64 Timed(UiSoundPlayer& player, const char* name, SoundMode mode) {
        QElapsedTimer t;
        t.start();
        player.Play(name, mode);
        return t.elapsed();
    }

    QString oldCurrent, work, shipped;
};

TEST_F(SoundPlayerTest, MissingSoundIsSilentAndReturnsAtOnce) {
    UiSoundPlayer player({shipped}, ModuleDirs());
    EXPECT_LT(Timed(player, "piyo.wav", SoundMode::Wait), 50);
    EXPECT_LT(Timed(player, "piyo.wav", SoundMode::Background), 50);
}

TEST_F(SoundPlayerTest, FileThatIsNoWaveIsSilent) {
    WriteBytes((work + "/oldng.wav").toStdString(), "this is not a sound");
    UiSoundPlayer player({shipped}, ModuleDirs());
    EXPECT_LT(Timed(player, "oldng.wav", SoundMode::Wait), 50);
}

TEST_F(SoundPlayerTest, BackgroundReturnsAtOnce) {
    Put(shipped, "huku.wav", 500);
    UiSoundPlayer player({shipped}, ModuleDirs());
    EXPECT_LT(Timed(player, "huku.wav", SoundMode::Background), 100);
}

TEST_F(SoundPlayerTest, WaitLastsAsLongAsTheSound) {
    Put(shipped, "change.wav", 300);
    UiSoundPlayer player({shipped}, ModuleDirs());
    const qint64 took = Timed(player, "change.wav", SoundMode::Wait);
    EXPECT_GE(took, 295);
    EXPECT_LT(took, 900);
}

TEST_F(SoundPlayerTest, WaitHoldsBackTimerTicksAndKeysUntilTheSoundIsOver) {
    Put(shipped, "button.wav", 200);
    UiSoundPlayer player({shipped}, ModuleDirs());
    KeyCatcher target;
    int ticks = 0;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start();
    QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));

    player.Play("button.wav", SoundMode::Wait);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(target.keys, 0);

    QElapsedTimer t;
    t.start();
    while ((ticks == 0 || target.keys == 0) && t.elapsed() < 1000) QCoreApplication::processEvents();
    EXPECT_GT(ticks, 0);
    EXPECT_EQ(target.keys, 1);
}

TEST_F(SoundPlayerTest, CurrentFolderComesBeforeShippedSounds) {
    Put(shipped, "piyo.wav", 100);
    UiSoundPlayer player({shipped}, ModuleDirs());
    EXPECT_EQ(player.Resolve("piyo.wav"), QDir(shipped).absoluteFilePath("piyo.wav"));

    Put(work, "piyo.wav", 400);
    EXPECT_EQ(player.Resolve("piyo.wav"), QDir(work).absoluteFilePath("piyo.wav"));
    EXPECT_GE(Timed(player, "piyo.wav", SoundMode::Wait), 395);
}

TEST_F(SoundPlayerTest, ShippedFoldersAreSearchedInOrder) {
    const QString second = QString::fromStdString(MakeTempDir());
    Put(second, "piyo1.wav", 100);
    UiSoundPlayer player({shipped, second}, ModuleDirs());
    EXPECT_EQ(player.Resolve("piyo1.wav"), QDir(second).absoluteFilePath("piyo1.wav"));
    Put(shipped, "piyo1.wav", 100);
    EXPECT_EQ(player.Resolve("piyo1.wav"), QDir(shipped).absoluteFilePath("piyo1.wav"));
}

TEST_F(SoundPlayerTest, OnlyBareNamesAreLookedUp) {
    Put(shipped, "button.wav", 100);
    QDir(work).mkdir("sub");
    Put(work + "/sub", "x.wav", 100);
    UiSoundPlayer player({shipped}, ModuleDirs());
    for (const char* name : {"sub/x.wav", "../button.wav", "", ".", ".."})
        EXPECT_EQ(player.Resolve(name), "") << name;
}

TEST_F(SoundPlayerTest, ReplacedFileIsPlayedWithItsNewLength) {
    Put(work, "piyo.wav", 100);
    UiSoundPlayer player({shipped}, ModuleDirs());
    EXPECT_LT(Timed(player, "piyo.wav", SoundMode::Wait), 300);
    Put(work, "piyo.wav", 450);
    EXPECT_GE(Timed(player, "piyo.wav", SoundMode::Wait), 445);
}

TEST_F(SoundPlayerTest, BackendIsLoadedFromItsModuleAndWithoutItEveryWaitIsKept) {
    Put(shipped, "change.wav", 300);
    UiSoundPlayer player({shipped}, ModuleDirs());
    EXPECT_TRUE(player.WaitForBackend());
    EXPECT_GE(Timed(player, "change.wav", SoundMode::Wait), 295);

    UiSoundPlayer without({shipped}, {work});  // no module there
    EXPECT_FALSE(without.WaitForBackend());
    EXPECT_GE(Timed(without, "change.wav", SoundMode::Wait), 295);
    EXPECT_LT(Timed(without, "change.wav", SoundMode::Background), 50);
}

// Sound files a folder may hold that no sound player should take at its
// word. Whatever the file, a SIGTERM sent while it is played (waiting) is
// served within a second, from the program's own loop and not from inside
// the wait, and a file that cannot be played is named as such at start.
struct HostileSound {
    const char* label;
    void (*make)(const std::string& path);
    bool unusable;
};
void PrintTo(const HostileSound& c, std::ostream* os) {
    *os << c.label;
}

class HostileSounds : public SoundPlayerTest, public ::testing::WithParamInterface<HostileSound> {};

TEST_P(HostileSounds, SigtermIsServedWithinASecond) {
    const std::string path = (work + "/change.wav").toStdString();
    GetParam().make(path);
    UiSoundPlayer player({shipped}, {work});  // no backend: silent, but every wait is kept
    const UiSoundPlayer::Problems problems = player.SoundProblems();
    EXPECT_EQ(problems.unusable.join("\n").contains("change.wav"), GetParam().unusable)
        << problems.unusable.join("\n").toStdString();
    EXPECT_FALSE(problems.missing.contains("change.wav"));

    UiSignalPipe pipe({SIGTERM});
    QObject::connect(&pipe, &UiSignalPipe::Arrived, [&] { player.EndWaits(); });
    QElapsedTimer clock;
    bool playing = false, servedWhilePlaying = false;
    qint64 served = -1;
    QObject::connect(&pipe, &UiSignalPipe::Raised, [&] {
        served = clock.elapsed();
        servedWhilePlaying = playing;
    });
    static constexpr int SentAfterMs = 200;
    clock.start();
    std::thread sender([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(SentAfterMs));
        ::kill(::getpid(), SIGTERM);
    });
    playing = true;
    player.Play("change.wav", SoundMode::Wait);
    playing = false;
    const qint64 returned = clock.elapsed();
    while (served < 0 && clock.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    sender.join();
    ASSERT_GE(served, 0) << "SIGTERM was never served";
    EXPECT_LT(served - SentAfterMs, 1000);
    EXPECT_LT(returned, SentAfterMs + 1000);
    EXPECT_FALSE(servedWhilePlaying);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileSounds,
    ::testing::Values(
        // A 2 GB file with a valid header: sparse, so it takes no disk.
        HostileSound{"Huge",
                     [](const std::string& path) {
                         std::string head = MakeWav(10).substr(0, 44);
                         head.replace(40, 4, std::string("\xf0\xff\xff\x7f", 4));
                         WriteBytes(path, head);
                         fs::resize_file(path, (2ull << 30) + 44);
                     },
                     true},
        HostileSound{"Long", [](const std::string& path) { WriteBytes(path, MakeWav(40000, 8000)); }, false},
        HostileSound{"Fifo", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
                     true}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ProgramSounds, BuildShipsAllSevenSoundsWithinLengthLimits) {
    const QDir dir(QString::fromStdString(test::BuildDir() + "/sounds"));
    for (const char* name :
         {"button.wav", "button2.wav", "change.wav", "huku.wav", "piyo.wav", "piyo1.wav", "oldng.wav"}) {
        const auto ms = WavDurationMs(dir.filePath(name));
        ASSERT_TRUE(ms.has_value()) << name;
        EXPECT_GE(*ms, 100) << name;
        EXPECT_LE(*ms, 600) << name;
    }
}

}  // namespace
}  // namespace vokamo
