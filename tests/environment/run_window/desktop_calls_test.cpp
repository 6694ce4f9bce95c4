// The environment's side of sound, printing and the file dialog: what a machine without an audio
// device or a printer does, as the classrooms have them.
#include "instructions/sound/play_wave.h"
#include "shell_test_support.h"
#include "support/temp_files.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSoundEffect>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

using namespace qel;
using namespace qel::test;

namespace {

// A run whose program lives in a folder of its own.
struct FolderRun : IdeRun {
    FolderRun() { ide.interpreter.setProgramPath(dir + "/prog.qel"); }
    std::string dir = makeTempFolder();
};

} // namespace

TEST(DesktopCalls, SoundWithoutAnAudioDevicePlaysNothingAndTheRunGoesOn)
{
    FolderRun run;
    writeBytes(run.dir + "/ding.wav", waveBytes(8000));
    writeBytes(run.dir + "/dong.wav", waveBytes(8000));
    run.session.build.add("DeclareVariable", variableFields("Integer", "After", "0"))
        .add("PlayWave", {"\"ding.wav\""})
        .add("PlayWave", {"\"dong.wav\""}) // the new sound takes the place of the first
        .add("Let", letFields("After", "1"));
    run.start();
    EXPECT_TRUE(run.messages.messages.empty()) << run.messages.messages[0].text;
    EXPECT_EQ(run.integer("After"), 1);
    EXPECT_TRUE(run.ide.interpreter.isRunning());
    EXPECT_EQ(run.ide.host.soundSource(), QString::fromStdString(run.dir + "/dong.wav"));
    // The player loads in a thread of its own; stopped while still loading, it leaves its loader's
    // objects behind at the process's end, which the leak check would blame on this test.
    const auto* player = run.ide.host.findChild<QSoundEffect*>();
    QElapsedTimer waited;
    waited.start();
    while (player && player->status() == QSoundEffect::Loading && waited.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    run.ide.interpreter.stopRun();
    EXPECT_TRUE(run.ide.host.soundSource().isEmpty()); // Stop silences it
}

namespace {

std::string u16(uint16_t v) { return {char(v), char(v >> 8)}; }
std::string u32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string chunk(const std::string& id, const std::string& body) { return id + u32(uint32_t(body.size())) + body; }

struct Wave {
    uint16_t tag = 1, channels = 1, bits = 16;
    uint32_t rate = 8000;
    std::string format = {}; // after the 16 bytes of the format chunk
    std::string before = {}; // chunks between the format and the data
    uint32_t dataBytes = 1600;
    uint32_t declared = 0; // the data chunk's size when it is not dataBytes
    bool dataFirst = false;

    std::string bytes() const
    {
        const std::string fmt = chunk("fmt ", u16(tag) + u16(channels) + u32(rate) + u32(rate * channels * bits / 8) +
                                                  u16(uint16_t(channels * bits / 8)) + u16(bits) + format);
        const std::string data = "data" + u32(declared ? declared : dataBytes) + std::string(dataBytes, '\0');
        const std::string body = "WAVE" + (dataFirst ? data + fmt : fmt + before + data);
        return "RIFF" + u32(uint32_t(body.size())) + body;
    }
};

// The extensible form's extra fields: valid bits, channel mask, and the sub-format (PCM or float).
std::string extensible(uint16_t bits, uint16_t subFormat)
{
    return u16(22) + u16(bits) + u32(4) + u16(subFormat) + std::string("\0\0\0\0\x10\0\x80\0\0\xaa\0\x38\x9b\x71", 14);
}

} // namespace

// Every case goes to the check and to the player itself: the check takes a file exactly when the
// player loads it ready to play (a file it fails on, or never finishes loading, plays silence).
TEST(DesktopCalls, TheWaveCheckTakesExactlyWhatThePlayerLoads)
{
    const struct {
        const char* name;
        Wave wave;
        bool playable;
    } cases[] = {
        {"pcm16", {}, true},
        {"pcm8 stereo", {.channels = 2, .bits = 8, .dataBytes = 1601}, true},
        {"pcm24", {.bits = 24, .dataBytes = 2400}, true},
        {"pcm24 one byte over", {.bits = 24, .dataBytes = 2401}, true},
        {"pcm32", {.bits = 32}, true},
        {"no format tag", {.tag = 0}, true},
        {"format with extra size", {.format = u16(0)}, true},
        {"even chunk before the data", {.before = chunk("LIST", "INFO")}, true},
        {"odd chunk without its pad byte", {.before = chunk("LIST", "abc")}, true},
        {"no samples", {.dataBytes = 0}, true},
        {"odd chunk with its pad byte", {.before = chunk("LIST", "abc") + '\0'}, false},
        {"float32", {.tag = 3, .bits = 32}, false},
        {"float64", {.tag = 3, .bits = 64}, false},
        {"extensible pcm", {.tag = 0xFFFE, .format = extensible(16, 1)}, false},
        {"extensible float", {.tag = 0xFFFE, .bits = 32, .format = extensible(32, 3)}, false},
        {"adpcm", {.tag = 2, .bits = 4}, false},
        {"0 bits", {.bits = 0}, false},
        {"12 bits", {.bits = 12}, false},
        {"no channels", {.channels = 0}, false},
        {"no rate", {.rate = 0}, false},
        {"data shorter than declared", {.declared = 3200}, false},
        {"part of a sample", {.dataBytes = 1601}, false},
        {"pcm24 two bytes over", {.bits = 24, .dataBytes = 2402}, false},
        {"data before the format", {.dataFirst = true}, false},
    };
    const std::string dir = makeTempFolder();
    QStringList files;
    for (const auto& c : cases) {
        const std::string path = dir + "/" + c.name + ".wav";
        writeBytes(path, c.wave.bytes());
        EXPECT_EQ(isPlayableWaveFile(path), c.playable) << c.name;
        files << QString::fromStdString(path);
    }
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QEL_WAVE_PROBE"), files.join('\n'));
    probe.setProcessEnvironment(environment);
    probe.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=DesktopCalls.WaveProbe")});
    ASSERT_TRUE(probe.waitForFinished(60000));
    const QStringList loaded = QString::fromLatin1(probe.readAllStandardOutput()).split('\n').filter("loaded ");
    ASSERT_EQ(loaded.size(), std::ssize(cases)) << probe.readAllStandardError().toStdString();
    for (size_t k = 0; k < std::size(cases); ++k)
        EXPECT_EQ(loaded[qsizetype(k)] == "loaded ready", cases[k].playable) << cases[k].name;
}

// The player's side of the test above, in a process of its own: while one file is still loading
// (which a file the player cannot finish does for ever) destroying any sound effect, and so the
// process's end, waits for it, so the probe ends without tidying up.
TEST(DesktopCalls, WaveProbe)
{
    const QString files = qEnvironmentVariable("QEL_WAVE_PROBE");
    if (files.isEmpty())
        GTEST_SKIP() << "started by TheWaveCheckTakesExactlyWhatThePlayerLoads";
    std::vector<QSoundEffect*> players;
    for (const QString& file : files.split('\n')) {
        players.push_back(new QSoundEffect);
        players.back()->setSource(QUrl::fromLocalFile(file));
    }
    // A file the player cannot finish stays loading: it is given a few seconds.
    auto settled = [&] {
        return std::all_of(players.begin(), players.end(), [](const QSoundEffect* p) {
            return p->status() == QSoundEffect::Ready || p->status() == QSoundEffect::Error;
        });
    };
    QElapsedTimer waited;
    waited.start();
    while (!settled() && waited.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    for (const QSoundEffect* p : players)
        std::printf("loaded %s\n", p->status() == QSoundEffect::Ready ? "ready" : "not ready");
    std::fflush(stdout);
    std::_Exit(0);
}

TEST(DesktopCalls, WithoutAPrinterPagesBecomeAPdfBesideTheProgramAndTheStatusBarSaysWhere)
{
    FolderRun run;
    run.ide.host.printerPages().setPrinterAllowed(false);
    writeBytes(run.dir + "/picked.txt", "x");
    run.ide.host.fileAnswers = {std::string("picked")}; // beside the program, ".txt" added
    QSignalSpy status(&run.ide.host, &IdeHost::statusMessage);
    run.session.build.add("DeclareVariable", variableFields("String", "Path", "\"\""))
        .add("PrintStart")
        .add("DrawPoint", {"10", "10", "Red"})
        .add("PrintStop")
        .add("OpenSaveLoadDlg", {"Path", "", "1"});
    run.start();
    EXPECT_TRUE(run.messages.messages.empty()) << run.messages.messages[0].text;
    ASSERT_EQ(status.size(), 1);
    const QString text = status[0][0].toString();
    const qsizetype at = text.indexOf(QString::fromStdString(run.dir + "/prog-"));
    ASSERT_GE(at, 0) << text.toStdString();
    EXPECT_TRUE(text.startsWith("No printer: 1 printed page(s) saved as ")) << text.toStdString();
    EXPECT_TRUE(QFileInfo(text.mid(at)).size() > 0);
    EXPECT_EQ(run.ide.variables.findVariable("Path")->textAt(0), run.dir + "/picked.txt");
    run.ide.interpreter.stopRun();
}
