#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include "platform/system/InstanceLock.h"
#include "platform/system/Registry.h"
#include "support/FileLimits.h"
#include "support/StandardError.h"
#include "support/TempDir.h"

using namespace sys;

using testsupport::isDevice;
using testsupport::makeNullDevice;

TEST(Registry, DefaultValuesOfKeysAndSubkeysSurviveReopening) {
    testsupport::TempDir dir;
    const QString file = dir.file("registry.reg");
    {
        Registry reg(file);
        HKEY key = 0;
        EXPECT_EQ(reg.RegCreateKeyA(HKEY_CLASSES_ROOT, "Plenk Player Mp3", &key), ERROR_SUCCESS);
        reg.RegSetValueA(key, "", REG_SZ, "Mp3 File");
        reg.RegSetValueA(key, "shell\\open\\command", REG_SZ,
                         "\"/opt/plenk player/plenk-player\" %1");
        reg.RegSetValueA(HKEY_CLASSES_ROOT, ".mp3", REG_SZ, "Plenk Player Mp3");
        reg.RegCloseKey(key);
    }
    Registry again(file);
    EXPECT_EQ(again.value("HKEY_CLASSES_ROOT\\.MP3")->toString(), "Plenk Player Mp3");
    EXPECT_EQ(again.value("HKEY_CLASSES_ROOT\\plenk player mp3\\Shell\\Open\\Command")->toString(),
              "\"/opt/plenk player/plenk-player\" %1");
    EXPECT_TRUE(again.keyExists("HKEY_CLASSES_ROOT\\Plenk Player Mp3\\shell"));
}

TEST(Registry, KeysWithSubkeysCannotBeDeletedAndMissingKeysAreNoHarm) {
    testsupport::TempDir dir;
    Registry reg(dir.file("r.reg"));
    reg.RegSetValueA(HKEY_CLASSES_ROOT, "Id\\shell\\open\\command", REG_SZ, "x");
    EXPECT_EQ(reg.RegDeleteKeyA(HKEY_CLASSES_ROOT, "Id"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg.RegDeleteKeyA(HKEY_CLASSES_ROOT, "Id\\Shell\\Open\\Command"), ERROR_SUCCESS);
    EXPECT_EQ(reg.RegDeleteKeyA(HKEY_CLASSES_ROOT, "Id\\Shell\\Open"), ERROR_SUCCESS);
    EXPECT_EQ(reg.RegDeleteKeyA(HKEY_CLASSES_ROOT, "Id\\Shell"), ERROR_SUCCESS);
    EXPECT_EQ(reg.RegDeleteKeyA(HKEY_CLASSES_ROOT, "Id"), ERROR_SUCCESS);
    EXPECT_EQ(reg.RegDeleteKeyA(HKEY_CLASSES_ROOT, "Id"), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(reg.keyExists("HKEY_CLASSES_ROOT\\Id"));
    EXPECT_EQ(reg.RegSetValueA(0x1234, "x", REG_SZ, "y"), ERROR_INVALID_HANDLE);
}

TEST(Registry, NamedNumbersAndOddTextsRoundTrip) {
    testsupport::TempDir dir;
    {
        Registry reg(dir.file("r.reg"));
        HKEY key = 0;
        reg.RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Filter\\Timing", &key);
        reg.RegSetValueExA(key, "Subtitle Delay", REG_DWORD, 250u);
        reg.RegSetValueExA(key, "Note", REG_SZ, "line\nwith \"quotes\" and \\ slash");
    }
    Registry again(dir.file("r.reg"));
    EXPECT_EQ(
        again.value("HKEY_CURRENT_USER\\Software\\Filter\\Timing", "subtitle delay")->toUInt(),
        250u);
    EXPECT_EQ(again.value("HKEY_CURRENT_USER\\Software\\Filter\\Timing", "Note")->toString(),
              "line\nwith \"quotes\" and \\ slash");
}

TEST(Registry, ADeviceInPlaceOfTheFileIsPassedOverAndNeverSavedOver) {
    testsupport::TempDir dir;
    if (!makeNullDevice(dir.file("registry.reg"))) GTEST_SKIP() << "no right to make a device";
    testsupport::CapturedStandardError err;
    Registry reg(dir.file("registry.reg"));
    EXPECT_EQ(reg.RegSetValueA(HKEY_CLASSES_ROOT, ".mp3", REG_SZ, "x"), ERROR_SUCCESS);
    EXPECT_TRUE(isDevice(dir.file("registry.reg")));
    EXPECT_TRUE(err.text().contains("registry.reg")) << err.text().constData();
}

TEST(Registry, UnwritableFileKeepsValuesForTheRun) {
    Registry reg("/proc/no-such-place/registry.reg");
    EXPECT_EQ(reg.RegSetValueA(HKEY_CLASSES_ROOT, ".mp3", REG_SZ, "x"), ERROR_SUCCESS);
    EXPECT_EQ(reg.value("HKEY_CLASSES_ROOT\\.mp3")->toString(), "x");
}

TEST(InstanceLock, SecondCopyIsRefusedUntilTheFirstEnds) {
    testsupport::TempDir dir;
    auto first = std::make_unique<InstanceLock>(dir.path());
    EXPECT_TRUE(first->acquire());
    EXPECT_TRUE(first->acquire());
    InstanceLock second(dir.path());
    EXPECT_FALSE(second.acquire());
    first.reset();
    EXPECT_TRUE(second.acquire());
}

TEST(InstanceLock, ReleasingRemovesTheFileAndLetsTheNextCopyIn) {
    testsupport::TempDir dir;
    InstanceLock first(dir.path());
    InstanceLock second(dir.path());
    second.release();
    EXPECT_TRUE(first.acquire()) << "releasing a lock not held changes nothing";
    first.release();
    EXPECT_FALSE(QFile::exists(dir.file("instance.lock")));
    EXPECT_TRUE(second.acquire());
}

TEST(InstanceLock, LockLeftByACrashedCopyIsTakenOver) {
    testsupport::TempDir dir;
    // A lock file naming a process that no longer runs.
    dir.write("instance.lock",
              "999999\nplenk-player\n" +
                  QByteArray::fromStdString(QSysInfo::machineHostName().toStdString()) + "\n");
    InstanceLock lock(dir.path());
    EXPECT_TRUE(lock.acquire());
}

TEST(InstanceLock, ALockThatCannotBeMadeLetsTheCopyRunAndSaysWhy) {
    testsupport::TempDir dir;
    const QString file = dir.write("settings", "a file where the folder should be");
    testsupport::CapturedStandardError err;
    InstanceLock lock(file);
    EXPECT_TRUE(lock.acquire());
    EXPECT_TRUE(err.text().contains("instance lock")) << err.text().constData();
    QDir().mkpath(dir.file("folder/instance.lock"));
    EXPECT_TRUE(InstanceLock(dir.file("folder")).acquire()) << "a folder in the lock's place";
}

TEST(InstanceLock, AnOldLockFileNamingNoProcessIsTakenOver) {
    testsupport::TempDir dir;
    const QString file = dir.write("instance.lock", "");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    old.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
    old.close();
    InstanceLock lock(dir.path());
    EXPECT_TRUE(lock.acquire());
    EXPECT_FALSE(InstanceLock(dir.path()).acquire()) << "and held";
}

TEST(InstanceLock, ADeviceInPlaceOfTheLockLetsTheCopyRunAndSaysSo) {
    testsupport::TempDir dir;
    if (!makeNullDevice(dir.file("instance.lock"))) GTEST_SKIP() << "no right to make a device";
    testsupport::CapturedStandardError err;
    EXPECT_TRUE(InstanceLock(dir.path()).acquire());
    EXPECT_TRUE(err.text().contains("instance.lock")) << err.text().constData();
}

TEST(InstanceLock, ACrashedCopysLockInAFolderThatCannotBeWrittenLetsTheCopyRun) {
    testsupport::TempDir dir;
    dir.write("locked/instance.lock",
              "999999\nplenk-player\n" +
                  QByteArray::fromStdString(QSysInfo::machineHostName().toStdString()) + "\n");
    QFile::setPermissions(dir.file("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    testsupport::PermissionsHold hold;
    EXPECT_TRUE(InstanceLock(dir.file("locked")).acquire());
    QFile::setPermissions(dir.file("locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(InstanceLock, ARunningCopysDamagedOldLockKeepsTheNextCopyOut) {
    testsupport::TempDir dir;
    InstanceLock running(dir.path());
    ASSERT_TRUE(running.acquire());
    QFile damaged(dir.file("instance.lock"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                        QFileDevice::FileModificationTime);
    damaged.close();
    EXPECT_FALSE(InstanceLock(dir.path()).acquire());
}
