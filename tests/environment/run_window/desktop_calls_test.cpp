// The environment's side of sound, printing and the file dialog: what a machine without an audio
// device or a printer does, as the classrooms have them.
#include "instructions/sound/play_wave.h"
#include "shell_test_support.h"
#include "support/temp_files.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSoundEffect>

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

// The check takes a file exactly when the player loads it ready to play (a file it fails on, or
// never finishes loading, plays silence).
TEST(DesktopCalls, TheWaveCheckTakesOnlyWhatThePlayerCanLoad)
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
    for (const auto& c : cases) {
        const std::string path = dir + "/" + c.name + ".wav";
        writeBytes(path, c.wave.bytes());
        EXPECT_EQ(isPlayableWaveFile(path), c.playable) << c.name;
    }
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
