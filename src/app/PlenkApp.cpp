#include "app/PlenkApp.h"

#include <QFileInfo>

#include "shared/WholeFileWriter.h"

namespace {

PlenkApp::Setup completed(PlenkApp::Setup setup) {
    if (setup.executable.isEmpty()) setup.executable = setup.programFolder + "/plenk-player";
    return setup;
}

audio::BassOptions bassOptions(PlenkApp::Engines engines) {
    audio::BassOptions options;
    options.output = engines == PlenkApp::Engines::Live ? audio::OutputChoice::Automatic
                                                        : audio::OutputChoice::Null;
    return options;
}

}  // namespace

PlenkApp::PlenkApp(std::unique_ptr<ui::Clock> clock, std::unique_ptr<ui::Dialogs> dialogs,
                   Setup setup)
    : ui::Application(std::move(clock), std::move(dialogs)),
      setup_(completed(std::move(setup))),
      registry_(setup_.settingsFolder + "/registry.reg"),
      shell_(registry_, setup_.executable, setup_.desktop),
      profile_(setup_.settingsFolder.toStdString()),
      videos_(handles()),
      mci_(setup_.engines == Engines::Live ? media::Mci::Backend::Mpv : media::Mci::Backend::Test,
           videos_, this->clock()),
      bass_(this->clock(), bassOptions(setup_.engines)),
      instance_(setup_.settingsFolder) {
    // The engine follows the filter's settings as the filter would: read at
    // every open, and at once for an open medium when they are written.
    mci_.setSubtitleSource([this] { return subtitleSettings(); });
    registry_.setValueWatcher([this](const QString& key) {
        if (key.startsWith(subtitleFilterKey(), Qt::CaseInsensitive)) mci_.subtitlesChanged();
    });
    setPath(setup_.programFolder);
    setCommandLine(setup_.commandLine);
    // Tests never start the desktop's browser.
    if (setup_.engines == Engines::Test) shell_.setOpener([](const QString&) { return false; });
    // The process ends without unwinding: the lock file would outlive it.
    atProcessEnd([this] { instance_.release(); });
    shared::setSaveJournal(setup_.settingsFolder);
}

PlenkApp::~PlenkApp() {
    shared::setSaveJournal({});
}

QString PlenkApp::exeName() const {
    return QFileInfo(setup_.executable).completeBaseName();
}

QString PlenkApp::subtitleFilterKey() {
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\PlenkPlayer\\vsfilter");
}

media::SubtitleSettings PlenkApp::subtitleSettings() const {
    const auto number = [&](const QString& key, const QString& name) {
        const auto v = registry_.value(subtitleFilterKey() + "\\" + key, name);
        return v ? static_cast<std::int32_t>(v->toUInt()) : 0;
    };
    return {number("Timing", "Subtitle Delay"), number("General", "Hide") != 0};
}

QString PlenkApp::title() {
    return QStringLiteral("Plenk Player");
}

int PlenkApp::versionMajor() {
    return PLENK_VERSION_MAJOR;
}
int PlenkApp::versionMinor() {
    return PLENK_VERSION_MINOR;
}
int PlenkApp::versionRevision() {
    return PLENK_VERSION_PATCH;
}

QString PlenkApp::version() {
    return QString("%1.%2.%3").arg(versionMajor()).arg(versionMinor()).arg(versionRevision());
}
