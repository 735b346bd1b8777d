#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
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

TEST(SoundPlayback, WaitingPlayIsHeardWhileTheProgramWaits) {
    if (!NullSinkIsDefault()) GTEST_SKIP() << "no PulseAudio null sink as default output";
    const QString dir = QString::fromStdString(test::MakeTempDir());
    test::WriteBytes((dir + "/tone.wav").toStdString(), LoudWav(500));
    UiSoundPlayer player({dir});
    QThread::msleep(300);  // let the audio thread load the file

    QProcess parec;
    parec.start(QStringLiteral("parec"),
                {QStringLiteral("-d"), QStringLiteral("null.monitor"), QStringLiteral("--latency-msec=10"),
                 QStringLiteral("--format=s16le"), QStringLiteral("--rate=8000"),
                 QStringLiteral("--channels=1"), QStringLiteral("--raw"), dir + "/heard.raw"});
    ASSERT_TRUE(parec.waitForStarted(3000));
    // Play only once the monitor is really being recorded (silence comes first).
    const QFileInfo heard(dir + "/heard.raw");
    for (int i = 0; i < 100 && QFileInfo(heard.filePath()).size() == 0; ++i) QThread::msleep(30);
    ASSERT_GT(QFileInfo(heard.filePath()).size(), 0) << "parec records nothing";
    player.Play("tone.wav", SoundMode::Wait);
    // Whatever the sink played up to now (plus a little for the monitor's
    // latency) was played during the wait. A sound fed from the GUI thread
    // would only start here.
    QThread::msleep(150);
    ::kill(static_cast<pid_t>(parec.processId()), SIGINT);  // parec writes out what it holds on SIGINT
    parec.waitForFinished(3000);
    const QByteArray raw = QByteArray::fromStdString(test::ReadBytes((dir + "/heard.raw").toStdString()));
    int loud = 0;
    for (qsizetype i = 0; i + 1 < raw.size(); i += 2) {
        const auto s =
            static_cast<int16_t>(static_cast<uint8_t>(raw[i]) | (static_cast<uint8_t>(raw[i + 1]) << 8));
        loud += std::abs(s) > 2000;
    }
    // 0.5 s at 8000 Hz is 4000 samples, about two thirds of them above the threshold.
    EXPECT_GT(loud, 1500);
}

}  // namespace
}  // namespace vokamo
