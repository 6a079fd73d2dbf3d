#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "options/Options.h"
#include "persistence/modAssociate.h"
#include "platform/system/Registry.h"
#include "support/PlayerFixture.h"

using testsupport::PlayerFixture;
using testsupport::readAll;

namespace {

void chooseAll(Options& o, bool on) {
    for (int i = 0; i < o.TpfAudio.ListCount(); ++i)
        o.TpfAudio.setSelected(i, on);
    for (int i = 0; i < o.TpfVideo.ListCount(); ++i)
        o.TpfVideo.setSelected(i, on);
}

QString defaultOf(PlayerFixture& p, const QString& key) {
    const auto v = p.app->registry().value("HKEY_CLASSES_ROOT\\" + key);
    return v ? v->toString() : QString("<none>");
}

}  // namespace

TEST(Association, RegisteringEveryTypeWritesTheKeysAndTheDesktopFiles) {
    PlayerFixture p;
    Options& o = p.form<Options>();
    chooseAll(o, true);
    o.Command2_Click();
    EXPECT_EQ(defaultOf(p, ".mp3"), "Plenk Player Mp3");
    EXPECT_EQ(defaultOf(p, "Plenk Player Mp3"), "Mp3 File");
    EXPECT_EQ(defaultOf(p, "Plenk Player Mp3\\shell\\open\\command"),
              "\"" + p.program.file("plenk-player") + "\" %1");
    EXPECT_TRUE(defaultOf(p, "Plenk Player Mp3\\DefaultIcon").endsWith("/audio.ico"));
    EXPECT_TRUE(defaultOf(p, "Plenk Player 3GP\\DefaultIcon").endsWith("/video.ico"));
    EXPECT_EQ(defaultOf(p, ".mp4"), "Plenk Player Mp4");
    EXPECT_EQ(defaultOf(p, "Plenk Player Mp4"), "MPEG4 File");

    const QString entry = readAll(p.app->shell().desktopEntryPath());
    EXPECT_TRUE(entry.contains("Exec=\"" + p.program.file("plenk-player") + "\" %f"))
        << entry.toStdString();
    EXPECT_TRUE(entry.contains("audio/mpeg"));
    const QString defaults = readAll(p.app->shell().mimeAppsPath());
    EXPECT_TRUE(defaults.contains("audio/mpeg=plenk-player.desktop;")) << defaults.toStdString();
    EXPECT_TRUE(defaults.contains("video/mp4=plenk-player.desktop;"));
}

TEST(Association, RemovingEveryTypeLeavesNothingOfOurs) {
    PlayerFixture p;
    Options& o = p.form<Options>();
    chooseAll(o, true);
    o.Command2_Click();
    chooseAll(o, false);
    o.Command2_Click();
    for (const QString& key : p.app->registry().keys())
        EXPECT_FALSE(key.contains("Plenk Player") || key.count('\\') == 1) << key.toStdString();
    EXPECT_FALSE(QFile::exists(p.app->shell().desktopEntryPath()));
    EXPECT_FALSE(readAll(p.app->shell().mimeAppsPath()).contains("plenk-player.desktop"));
}

TEST(Association, AnotherProgramsAssociationIsLeftAlone) {
    PlayerFixture p;
    sys::Registry& reg = p.app->registry();
    reg.RegSetValueA(sys::HKEY_CLASSES_ROOT, ".wav", sys::REG_SZ, "Other.Wav");
    reg.RegSetValueA(sys::HKEY_CLASSES_ROOT, "Other.Wav\\shell\\open\\command", sys::REG_SZ,
                     "/usr/bin/other %1");
    p.home.write("config/mimeapps.list",
                 "[Default Applications]\naudio/x-wav=other.desktop\naudio/vnd.wave=other.desktop\n"
                 "[Added Associations]\naudio/mpeg=other.desktop;\n");
    Options& o = p.form<Options>();
    o.Command2_Click();
    EXPECT_EQ(defaultOf(p, ".wav"), "Other.Wav");
    EXPECT_EQ(defaultOf(p, "Other.Wav\\shell\\open\\command"), "/usr/bin/other %1");
    const QString defaults = readAll(p.app->shell().mimeAppsPath());
    EXPECT_TRUE(defaults.contains("audio/x-wav=other.desktop"));
    EXPECT_TRUE(defaults.contains("[Added Associations]\naudio/mpeg=other.desktop;"));
}

TEST(Association, RemovalTakesOnlyOurEntryOutOfAListOfDefaults) {
    PlayerFixture p;
    p.home.write("config/mimeapps.list",
                 "[Default Applications]\nvideo/x-flv=plenk-player.desktop;other.desktop;\n"
                 "audio/x-mod=plenk-player.desktop;\n");
    p.app->module<modAssociate>().NotifyAssociationChanged();
    const QString defaults = readAll(p.app->shell().mimeAppsPath());
    EXPECT_TRUE(defaults.contains("video/x-flv=other.desktop;")) << defaults.toStdString();
    EXPECT_FALSE(defaults.contains("plenk-player.desktop"));
}

TEST(Association, RemovalKeepsOtherProgramsSubkeysOfAnExtension) {
    PlayerFixture p;
    sys::Registry& reg = p.app->registry();
    reg.RegSetValueA(sys::HKEY_CLASSES_ROOT, ".ogg\\OpenWithProgids", sys::REG_SZ, "Other.Ogg");
    modAssociate& assoc = p.app->module<modAssociate>();
    assoc.CreateAssociation("Plenk Player Ogg", ".ogg", "ogg File", "", "");
    EXPECT_EQ(defaultOf(p, ".ogg"), "Plenk Player Ogg");
    assoc.RemoveAssociation("Plenk Player Ogg", ".ogg");
    EXPECT_EQ(defaultOf(p, ".ogg"), "<none>");
    EXPECT_EQ(defaultOf(p, ".ogg\\OpenWithProgids"), "Other.Ogg");
    EXPECT_FALSE(reg.keyExists("HKEY_CLASSES_ROOT\\Plenk Player Ogg"));
}

TEST(Association, CommandsAndArgumentsFollowTheProgramPath) {
    testsupport::TempDir place;
    PlayerFixture p(testsupport::withExecutable(place.file("with blanks/plenk-player")));
    modAssociate& assoc = p.app->module<modAssociate>();
    EXPECT_EQ(assoc.openCommand("  /play  "),
              "\"" + place.file("with blanks/plenk-player") + "\" /play");
    assoc.CreateAssociation("", ".mp3", "nothing", "", "");
    EXPECT_EQ(defaultOf(p, ".mp3"), "<none>");
    assoc.CreateAssociation("Plenk Player Mp3", ".mp3", "Mp3 File", "", "");
    assoc.NotifyAssociationChanged();
    const QString entry = readAll(p.app->shell().desktopEntryPath());
    EXPECT_TRUE(entry.contains("Exec=\"" + place.file("with blanks/plenk-player") + "\" %f"));
    EXPECT_FALSE(p.app->registry().keyExists("HKEY_CLASSES_ROOT\\Plenk Player Mp3\\DefaultIcon"));
}

TEST(Association, TheDesktopReportsThePlayerAsTheDefaultAndThenNoLonger) {
    const QString tool = QStandardPaths::findExecutable("xdg-mime");
    if (tool.isEmpty()) GTEST_SKIP() << "xdg-mime is not installed";
    PlayerFixture p;
    auto query = [&] {
        QProcess proc;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", p.home.file("config"));
        env.insert("XDG_DATA_HOME", p.home.file("data"));
        env.insert("XDG_CONFIG_DIRS", p.home.file("none"));
        env.insert("XDG_DATA_DIRS", p.home.file("none"));
        env.remove("XDG_CURRENT_DESKTOP");
        env.remove("DESKTOP_SESSION");
        env.remove("KDE_FULL_SESSION");
        proc.setProcessEnvironment(env);
        proc.start(tool, {"query", "default", "audio/mpeg"});
        proc.waitForFinished(10000);
        return QString::fromUtf8(proc.readAllStandardOutput()).trimmed();
    };
    modAssociate& assoc = p.app->module<modAssociate>();
    assoc.CreateAssociation("Plenk Player Mp3", ".mp3", "Mp3 File", "", "");
    assoc.NotifyAssociationChanged();
    EXPECT_EQ(query(), "plenk-player.desktop");
    assoc.RemoveAssociation("Plenk Player Mp3", ".mp3");
    EXPECT_NE(query(), "plenk-player.desktop");
}

// ".vob", ".mpe", ".mp2", ".mpg" and ".mpeg" all open as video/mpeg.
TEST(Association, ADesktopTypeSharedWithAnUntickedTypeIsNotClaimed) {
    PlayerFixture p;
    p.home.write("config/mimeapps.list", "[Default Applications]\nvideo/mpeg=other.desktop;\n");
    Options& o = p.form<Options>();
    o.TpfVideo.setSelected(11, true);  // vob
    o.Command2_Click();
    EXPECT_EQ(defaultOf(p, ".vob"), "Plenk Player Vob");
    QString defaults = readAll(p.app->shell().mimeAppsPath());
    EXPECT_TRUE(defaults.contains("video/mpeg=other.desktop;")) << defaults.toStdString();
    EXPECT_FALSE(readAll(p.app->shell().desktopEntryPath()).contains("video/mpeg"));

    for (const int item : {0, 4, 5, 6})  // mpg, mp2, mpeg, mpe
        o.TpfVideo.setSelected(item, true);
    o.Command2_Click();
    defaults = readAll(p.app->shell().mimeAppsPath());
    EXPECT_TRUE(defaults.contains("video/mpeg=plenk-player.desktop;")) << defaults.toStdString();

    o.TpfVideo.setSelected(0, false);
    o.Command2_Click();
    defaults = readAll(p.app->shell().mimeAppsPath());
    EXPECT_FALSE(defaults.contains("video/mpeg=plenk-player.desktop;")) << defaults.toStdString();
    EXPECT_TRUE(defaults.contains("audio/mp2=plenk-player.desktop;"));
}
