#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/system/Registry.h"
#include "platform/system/Shell.h"
#include "support/TempDir.h"

using namespace sys;

namespace {

// The Exec line of the desktop entry written for a program at this path.
QString execLineFor(const QString& program) {
    testsupport::TempDir dir;
    Registry registry(dir.file("registry.reg"));
    registry.RegSetValueA(HKEY_CLASSES_ROOT, ".mp3", REG_SZ, "Player.Mp3");
    registry.RegSetValueA(HKEY_CLASSES_ROOT, "Player.Mp3\\shell\\open\\command", REG_SZ,
                          "\"" + program + "\" %1");
    Shell shell(registry, program, {dir.file("data"), dir.file("config")});
    shell.SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    for (const QString& line :
         QString::fromUtf8(testsupport::readAll(shell.desktopEntryPath())).split('\n'))
        if (line.startsWith("Exec=")) return line;
    return {};
}

}  // namespace

// Inside quotes the desktop-entry rules escape " ` $ \ with a backslash and
// double %; the string value then escapes every backslash once more.
TEST(Shell, ExecLineQuotesAndEscapesEveryCharacterThePathHolds) {
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/plain/plenk-player", R"(Exec="/opt/plain/plenk-player" %f)"},
        {"/opt/my apps/plenk-player", R"(Exec="/opt/my apps/plenk-player" %f)"},
        {"/opt/100%/plenk-player", R"(Exec="/opt/100%%/plenk-player" %f)"},
        {"/opt/$HOME/plenk-player", R"(Exec="/opt/\\$HOME/plenk-player" %f)"},
        {"/opt/a`b/plenk-player", R"(Exec="/opt/a\\`b/plenk-player" %f)"},
        {"/opt/a\\b/plenk-player", R"(Exec="/opt/a\\\\b/plenk-player" %f)"},
        {"/opt/say \"hi\"/plenk-player", R"(Exec="/opt/say \\"hi\\"/plenk-player" %f)"},
        {"/opt/tab\there/plenk-player", R"(Exec="/opt/tab\there/plenk-player" %f)"},
        {"/opt/%f $(x)/plenk-player", R"(Exec="/opt/%%f \\$(x)/plenk-player" %f)"},
    };
    for (const auto& [program, exec] : cases)
        EXPECT_EQ(execLineFor(program), exec) << program;
}

TEST(Shell, ADeviceInPlaceOfTheDefaultsFileIsLeftAsItIs) {
    testsupport::TempDir dir;
    QDir().mkpath(dir.file("config"));
    if (!testsupport::makeNullDevice(dir.file("config/mimeapps.list")))
        GTEST_SKIP() << "no right to make a device";
    Registry registry(dir.file("registry.reg"));
    registry.RegSetValueA(HKEY_CLASSES_ROOT, ".mp3", REG_SZ, "Player.Mp3");
    registry.RegSetValueA(HKEY_CLASSES_ROOT, "Player.Mp3\\shell\\open\\command", REG_SZ,
                          "\"/opt/plenk-player\" %1");
    Shell shell(registry, "/opt/plenk-player", {dir.file("data"), dir.file("config")});
    shell.SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    EXPECT_TRUE(testsupport::isDevice(dir.file("config/mimeapps.list")));
}
