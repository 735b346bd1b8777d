#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <cmath>
#include <cstdint>

#include "TestSupport.h"
#include "ui/platform/UiSoundPlayer.h"

namespace vokamo {
namespace {

// Real playback, only where a PulseAudio server with a null sink is the
// default output (start one with
//   pulseaudio -n --daemonize=yes --exit-idle-time=-1 --load=module-null-sink
//              --load=module-native-protocol-unix; pactl set-default-sink null).
// It records the sink's monitor while a waiting play blocks the GUI thread.
bool NullSinkIsDefault() {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("get-default-sink")});
    if (!pactl.waitForFinished(3000) || pactl.exitCode() != 0) return false;
    return pactl.readAllStandardOutput().trimmed() == "null";
}

std::string LoudWav(int ms) {
    const int rate = 22050;
    std::string pcm;
    for (int i = 0; i < rate * ms / 1000; ++i) {
        const auto v = static_cast<int16_t>(12000 * std::sin(2 * 3.14159265 * 660 * i / rate));
        pcm.push_back(static_cast<char>(v & 0xff));
        pcm.push_back(static_cast<char>((v >> 8) & 0xff));
    }
    auto u32 = [](uint32_t v) {
        return std::string{char(v & 0xff), char((v >> 8) & 0xff), char((v >> 16) & 0xff), char(v >> 24)};
    };
    const std::string fmt = u32(16) + std::string("\x01\x00\x01\x00", 4) + u32(rate) + u32(rate * 2) +
                            std::string("\x02\x00\x10\x00", 4);
    const std::string body = "WAVEfmt " + fmt + "data" + u32(static_cast<uint32_t>(pcm.size())) + pcm;
    return "RIFF" + u32(static_cast<uint32_t>(body.size())) + body;
}

// Records the null sink's monitor from the moment it really records (silence
// comes first) until Stop(), at 8000 samples a second.
class MonitorRecording {
public:
    explicit MonitorRecording(const QString& dir) : path_(dir + "/heard.raw") {
        parec_.start(
            QStringLiteral("parec"),
            {QStringLiteral("-d"), QStringLiteral("null.monitor"), QStringLiteral("--latency-msec=10"),
             QStringLiteral("--format=s16le"), QStringLiteral("--rate=8000"), QStringLiteral("--channels=1"),
             QStringLiteral("--raw"), path_});
        started_ = parec_.waitForStarted(3000);
        for (int i = 0; started_ && i < 100 && QFileInfo(path_).size() == 0; ++i) QThread::msleep(30);
        started_ = started_ && QFileInfo(path_).size() > 0;
    }
    bool Started() const { return started_; }
    // The number of loud samples heard; parec writes out what it holds on SIGINT.
    int StopAndCountLoud() {
        ::kill(static_cast<pid_t>(parec_.processId()), SIGINT);
        parec_.waitForFinished(3000);
        const QByteArray raw = QByteArray::fromStdString(test::ReadBytes(path_.toStdString()));
        int loud = 0;
        for (qsizetype i = 0; i + 1 < raw.size(); i += 2) {
            const auto s =
                static_cast<int16_t>(static_cast<uint8_t>(raw[i]) | (static_cast<uint8_t>(raw[i + 1]) << 8));
            loud += std::abs(s) > 2000;
        }
        return loud;
    }

private:
    QString path_;
    QProcess parec_;
    bool started_ = false;
};

QStringList ModuleDirs() {
    return {QString::fromStdString(test::BuildDir())};
}

// Skipped without a null sink, unless tools/null_sink.sh said there is one.
class SoundPlayback : public ::testing::Test {
protected:
    void SetUp() override {
        if (NullSinkIsDefault()) return;
        if (qEnvironmentVariableIsSet("VOKAMO_NULL_SINK"))
            FAIL() << "the null sink is not the default output";
        GTEST_SKIP() << "no PulseAudio null sink as default output";
    }
};

TEST_F(SoundPlayback, WaitingPlayIsHeardWhileTheProgramWaits) {
    const QString dir = QString::fromStdString(test::MakeTempDir());
    test::WriteBytes((dir + "/tone.wav").toStdString(), LoudWav(500));
    UiSoundPlayer player({dir}, ModuleDirs());
    player.Start();
    QThread::msleep(300);  // let the audio thread load the file

    MonitorRecording heard(dir);
    ASSERT_TRUE(heard.Started()) << "parec records nothing";
    player.Play("tone.wav", SoundMode::Wait);
    // Whatever the sink played up to now (plus a little for the monitor's
    // latency) was played during the wait. A sound fed from the GUI thread
    // would only start here.
    QThread::msleep(150);
    // 0.5 s at 8000 Hz is 4000 samples, about two thirds of them above the threshold.
    EXPECT_GT(heard.StopAndCountLoud(), 1500);
}

// The drill's first banner sound (a waiting play) right after start-up: the
// program starts the player after its first paint, so the sound may be asked
// for while the backend is still loading, or, when the first paint has not
// come yet, before anything was loaded at all. It must be heard all the same,
// and for its whole length while the program waits.
class FirstSound : public SoundPlayback, public ::testing::WithParamInterface<bool> {};

TEST_P(FirstSound, IsHeardWhileTheProgramWaits) {
    const QString dir = QString::fromStdString(test::MakeTempDir());
    test::WriteBytes((dir + "/change.wav").toStdString(), LoudWav(500));
    MonitorRecording heard(dir);
    ASSERT_TRUE(heard.Started()) << "parec records nothing";

    UiSoundPlayer player({dir}, ModuleDirs());
    if (GetParam()) player.Start();
    QElapsedTimer held;
    held.start();
    player.Play("change.wav", SoundMode::Wait);
    EXPECT_GE(held.elapsed(), 495);
    QThread::msleep(150);
    // Heard in full but for the decoding of a file never played before.
    EXPECT_GT(heard.StopAndCountLoud(), 1500);
}

INSTANTIATE_TEST_SUITE_P(RightAfterStartUp, FirstSound, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "WhileLoading" : "BeforeLoading"; });

}  // namespace
}  // namespace vokamo
