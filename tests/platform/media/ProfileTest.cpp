#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <string>

#include "platform/media/CdDoor.h"
#include "platform/media/Profile.h"
#include "platform/media/ShortPath.h"
#include "support/StandardError.h"
#include "support/TempDir.h"

namespace {

using testsupport::TempDir;

class ProfileFile : public ::testing::Test {
  protected:
    // The file name the player builds: the Windows folder, a backslash, system.ini.
    std::string systemIni() {
        char folder[255];
        const std::uint32_t n = profile_.GetWindowsDirectoryA(folder, sizeof folder);
        return std::string(folder, n) + "\\system.ini";
    }
    std::string read(const char* key, const char* fallback = "None") {
        char value[255];
        const std::uint32_t n = profile_.GetPrivateProfileStringA(
            "MCI", key, fallback, value, sizeof value, systemIni().c_str());
        return std::string(value, n);
    }
    bool write(const char* key, const char* value) {
        return profile_.WritePrivateProfileStringA("MCI", key, value, systemIni().c_str());
    }
    QByteArray contents() { return testsupport::readAll(dir_.file("system.ini")); }

    TempDir dir_;
    media::Profile profile_{dir_.path().toStdString()};
};

TEST_F(ProfileFile, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(read("MPEGVideo"), "None");
    dir_.write("system.ini", "[drivers]\nMPEGVideo=other.drv\n");
    EXPECT_EQ(read("MPEGVideo"), "None");
    EXPECT_EQ(read("sequencer", ""), "");
}

TEST_F(ProfileFile, WritesCreateTheFileAndReadBackWithoutRegardToCase) {
    EXPECT_TRUE(write("MPEGVideo", "mciqtz.drv"));
    EXPECT_TRUE(write("sequencer", "mciseq.drv"));
    EXPECT_EQ(contents(), "[MCI]\nMPEGVideo=mciqtz.drv\nsequencer=mciseq.drv\n");
    char value[32];
    profile_.GetPrivateProfileStringA("mci", "mpegvideo", "None", value, sizeof value,
                                      systemIni().c_str());
    EXPECT_STREQ(value, "mciqtz.drv");
}

TEST_F(ProfileFile, RewritingAKeyKeepsEveryOtherLine) {
    dir_.write("system.ini",
               "; kept comment\n[boot]\nshell=x\n\n[MCI]\nMPEGVideo = MCIQTZ.DRV \navivideo=a\n\n"
               "[later]\nk=v\n");
    EXPECT_EQ(read("MPEGVideo"), "MCIQTZ.DRV");
    EXPECT_TRUE(write("MPEGVideo", "mciqtz.drv"));
    EXPECT_TRUE(write("sequencer", "mciseq.drv"));
    EXPECT_EQ(contents(),
              "; kept comment\n[boot]\nshell=x\n\n[MCI]\nMPEGVideo=mciqtz.drv\navivideo=a\n"
              "sequencer=mciseq.drv\n\n[later]\nk=v\n");
}

TEST_F(ProfileFile, OnlyTheFilesOwnNameCounts) {
    EXPECT_TRUE(profile_.WritePrivateProfileStringA("MCI", "k", "v", "C:\\WINDOWS\\system.ini"));
    EXPECT_TRUE(profile_.WritePrivateProfileStringA("MCI", "k2", "v", "/etc/system.ini"));
    EXPECT_FALSE(QFileInfo::exists("/etc/system.ini"));
    EXPECT_EQ(contents(), "[MCI]\nk=v\nk2=v\n");
    EXPECT_FALSE(profile_.WritePrivateProfileStringA("MCI", "k", "v", "C:\\WINDOWS\\"));
    EXPECT_FALSE(profile_.WritePrivateProfileStringA("MCI", "k", "v", ".."));
    EXPECT_FALSE(profile_.WritePrivateProfileStringA("MCI", "k", "v", nullptr));
}

TEST_F(ProfileFile, RefusesTextThatWouldBreakTheFile) {
    EXPECT_FALSE(write("MPEGVideo", "a\n[evil]"));
    EXPECT_FALSE(write("a=b", "v"));
    EXPECT_FALSE(write("", "v"));
    EXPECT_FALSE(write(nullptr, "v"));
    EXPECT_FALSE(write("k", nullptr));
    EXPECT_FALSE(profile_.WritePrivateProfileStringA("MCI]", "k", "v", systemIni().c_str()));
    EXPECT_FALSE(QFileInfo::exists(dir_.file("system.ini")));
}

TEST_F(ProfileFile, ReadOnlyFolderLosesNothing) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    dir_.write("system.ini", "[MCI]\nMPEGVideo=old.drv\n");
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(write("MPEGVideo", "mciqtz.drv"));
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(read("MPEGVideo"), "old.drv");
}

TEST_F(ProfileFile, ALinkToADeviceReadsAsMissingAndIsNeverWrittenOver) {
    if (!testsupport::makeNullDevice(dir_.file("null")))
        GTEST_SKIP() << "no right to make a device";
    QFile::link(dir_.file("null"), dir_.file("system.ini"));
    testsupport::CapturedStandardError err;
    EXPECT_EQ(read("MPEGVideo"), "None");
    EXPECT_FALSE(write("MPEGVideo", "mciqtz.drv"));
    EXPECT_EQ(read("MPEGVideo"), "None");
    EXPECT_TRUE(testsupport::isDevice(dir_.file("null")));
    EXPECT_EQ(err.text().count("system.ini"), 1) << err.text().constData();
}

TEST_F(ProfileFile, SettingsFolderThatIsAFileTakesNoWrite) {
    const QString blocker = dir_.write("blocker", "keep me");
    media::Profile blocked(blocker.toStdString());
    EXPECT_FALSE(blocked.WritePrivateProfileStringA("MCI", "k", "v", "system.ini"));
    EXPECT_EQ(testsupport::readAll(blocker), "keep me");
}

TEST_F(ProfileFile, MissingSettingsFolderIsCreatedOnWrite) {
    media::Profile nested((dir_.path() + "/a/b").toStdString());
    EXPECT_TRUE(nested.WritePrivateProfileStringA("MCI", "k", "v", "system.ini"));
    EXPECT_EQ(testsupport::readAll(dir_.file("a/b/system.ini")), "[MCI]\nk=v\n");
}

TEST_F(ProfileFile, BuffersAreCutToFitOrLeftEmpty) {
    write("MPEGVideo", "mciqtz.drv");
    char small[5];
    EXPECT_EQ(profile_.GetPrivateProfileStringA("MCI", "MPEGVideo", "None", small, sizeof small,
                                                systemIni().c_str()),
              4u);
    EXPECT_STREQ(small, "mciq");
    EXPECT_EQ(profile_.GetPrivateProfileStringA("MCI", "MPEGVideo", "None", nullptr, 0,
                                                systemIni().c_str()),
              0u);
    const std::uint32_t need = dir_.path().toStdString().size() + 1;
    EXPECT_EQ(profile_.GetWindowsDirectoryA(small, sizeof small), need);
    EXPECT_STREQ(small, "");
}

TEST(ShortPath, ExistingPathsComeBackAsTheyAre) {
    TempDir dir;
    const std::string path = dir.write("my song [1].mpg", "x").toStdString();
    char buffer[255];
    EXPECT_EQ(media::GetShortPathNameA(path.c_str(), buffer, sizeof buffer), path.size());
    EXPECT_EQ(buffer, path);
    EXPECT_EQ(media::GetShortPathNameA(dir.path().toStdString().c_str(), buffer, sizeof buffer),
              dir.path().size());

    std::strcpy(buffer, "stale");
    EXPECT_EQ(media::GetShortPathNameA((path + ".gone").c_str(), buffer, sizeof buffer), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(media::GetShortPathNameA("", buffer, sizeof buffer), 0u);
    EXPECT_EQ(media::GetShortPathNameA(nullptr, buffer, sizeof buffer), 0u);

    char tiny[4] = "abc";
    EXPECT_EQ(media::GetShortPathNameA(path.c_str(), tiny, sizeof tiny), path.size() + 1);
    EXPECT_STREQ(tiny, "");
}

TEST(CdDoor, WithoutADriveNothingHappens) {
    TempDir dir;
    EXPECT_EQ(media::CdDoor(dir.file("no-drive").toStdString()).setOpen(true),
              media::MciError::NoCdDrive);
    const std::string plainFile = dir.write("not-a-drive", "x").toStdString();
    EXPECT_EQ(media::CdDoor(plainFile).setOpen(false), media::MciError::NoCdDrive);
    EXPECT_EQ(media::CdDoor("/dev/null").setOpen(true), media::MciError::NoCdDrive);
}

}  // namespace
