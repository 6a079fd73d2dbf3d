#include <QDir>
#include <QFile>
#include <random>

#include "AudioTestSupport.h"

namespace audiotest {
namespace {

QByteArray randomBytes(int size) {
    std::mt19937 random(7);
    QByteArray bytes(size, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random());
    return bytes;
}

QByteArray head(const QString& path, int size) {
    return testsupport::readAll(path).left(size);
}

class BadFileTest : public BassTest {
  protected:
    void expectRefused(const QString& path) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(openStream(path), 0u);
        EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
        EXPECT_EQ(openMusic(path), 0u);
        EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
    }
};

TEST_F(BadFileTest, UnplayablePathsGiveNoHandle) {
    const QString wav = writeTone(dir.file("good.wav"), kWav, {});
    const QString mp3 = writeTone(dir.file("good.mp3"), kMp3, {});
    const QString ogg = writeTone(dir.file("good.ogg"), kOgg, {});
    QDir(dir.path()).mkdir("folder.mp3");
    expectRefused(dir.file("missing.mp3"));
    expectRefused(dir.file("folder.mp3"));
    expectRefused(dir.write("empty.mp3", {}));
    expectRefused(dir.write("text.mp3", "just some words, not music\n"));
    expectRefused(dir.write("noise.mp3", randomBytes(100000)));
    expectRefused(dir.write("picture.ogg", QByteArray("\x89PNG\r\n\x1a\n", 8) + randomBytes(2000)));
    expectRefused(dir.write("cut.wav", head(wav, 30)));
    expectRefused(dir.write("cut.mp3", head(mp3, 100)));
    expectRefused(dir.write("cut.ogg", head(ogg, 200)));
    expectRefused(dir.write("corrupt.ogg", head(ogg, 60) + randomBytes(20000)));
    expectRefused(dir.write("corrupt.mod", tinyModule().left(600) + randomBytes(100)));
    expectRefused(writeTone(dir.file("zero.wav"), kWav, {.seconds = 0.0}));
    expectRefused("/dev/zero");
    expectRefused(dir.path());
}

TEST_F(BassTest, OnlyWholeFilesAreOpened) {
    const QString path = writeTone(dir.file("a.wav"), kWav, {});
    const QByteArray bytes = testsupport::readAll(path);
    EXPECT_EQ(bass.BASS_StreamCreateFile(true, bytes.constData(), 0, bytes.size(), 0), 0u);
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
    EXPECT_EQ(bass.BASS_StreamCreateFile(false, path.utf16(), 44, 0, BASS_UNICODE), 0u);
    EXPECT_EQ(bass.BASS_StreamCreateFile(false, nullptr, 0, 0, 0), 0u);
}

TEST_F(BassTest, FileCutInItsAudioPlaysWhatIsThere) {
    const QString whole = writeTone(dir.file("whole.wav"), kWav, {.seconds = 2.0});
    const QString cut = dir.write("cut.wav", head(whole, 44 + 4 * 44100));
    const HSTREAM stream = openStream(cut);
    ASSERT_NE(stream, 0u);
    EXPECT_EQ(bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE), bytes(44100));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(1100);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
}

// Found by its name only: the format is not recognised from the first bytes.
TEST_F(BassTest, Mp3WithJunkBeforeItsFirstFrameOpens) {
    const QString clean = writeTone(dir.file("clean.mp3"), kMp3, {.seconds = 1.0});
    const QString padded =
        dir.write("padded.mp3", QByteArray(700, '\0') + testsupport::readAll(clean));
    const HSTREAM stream = openStream(padded);
    ASSERT_NE(stream, 0u);
    EXPECT_NEAR(
        bass.BASS_ChannelBytes2Seconds(stream, bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE)),
        1.0, 0.1);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(1500);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
}

TEST_F(BassTest, FileDeletedWhilePlayingEndsCleanly) {
    const QString path = writeTone(dir.file("gone.mp3"), kMp3, {.seconds = 2.0});
    const HSTREAM stream = openStream(path);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(300);
    ASSERT_TRUE(QFile::remove(path));
    advance(2000);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    EXPECT_TRUE(bass.BASS_StreamFree(stream));
}

TEST_F(BassTest, FileTruncatedWhilePlayingEndsCleanly) {
    const QString path = writeTone(dir.file("shrinks.wav"), kWav, {.seconds = 2.0});
    const HSTREAM stream = openStream(path);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(300);
    ASSERT_TRUE(QFile::resize(path, 1000));
    advance(2000);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    EXPECT_LE(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(88200));
}

TEST_F(BassTest, NamesWithAnyCharactersOpen) {
    const QString name = QString::fromUtf8("Ünïcödé ♪ 日本語 'quote' #1.wav");
    const QString path = writeTone(dir.file(name), kWav, {});
    EXPECT_NE(openStream(path), 0u);
    const QByteArray utf8 = path.toUtf8();
    EXPECT_NE(bass.BASS_StreamCreateFile(false, utf8.constData(), 0, 0, BASS_SAMPLE_FX), 0u);
}

}  // namespace
}  // namespace audiotest
