#include "shared/PlenkApp.h"

PlenkApp::PlenkApp(std::unique_ptr<ui::Clock> clock, std::unique_ptr<ui::Dialogs> dialogs,
                   Setup setup)
    : ui::Application(std::move(clock), std::move(dialogs)), setup_(std::move(setup)) {
    setPath(setup_.programFolder);
    setCommandLine(setup_.commandLine);
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
