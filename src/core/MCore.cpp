#include "core/MCore.h"

#include <QByteArray>
#include <QWidget>
#include <limits>

#include "app/PlenkApp.h"
#include "platform/media/Mci.h"
#include "platform/media/Profile.h"
#include "platform/media/ShortPath.h"
#include "shared/NumberText.h"
#include "shared/Rounding.h"

namespace {

constexpr int kReplyLength = 128;
constexpr int kPathLength = 255;
// Room for any path the file system takes, whatever its characters.
constexpr int kShortPathLength = 4096;
constexpr std::uint32_t kChildWindowStyle = 0x40000000u;

std::int32_t wholeNumber(double value) {
    const double r = shared::roundHalfEven(value);
    if (r > std::numeric_limits<std::int32_t>::max() ||
        r < std::numeric_limits<std::int32_t>::min())
        return -1;
    return static_cast<std::int32_t>(r);
}

}  // namespace

MCore::MCore(ui::Application& app) : app_(static_cast<PlenkApp&>(app)) {}

// Commands go to the engine as UTF-8, the file system's own encoding here.
std::uint32_t MCore::send(const QString& command, QString* reply) {
    char buffer[kReplyLength] = "";
    const QByteArray bytes = command.toUtf8();
    const std::uint32_t code = app_.mci().mciSendStringA(
        bytes.constData(), reply ? buffer : nullptr, reply ? kReplyLength : 0, 0);
    if (reply) *reply = QString::fromUtf8(buffer);
    return code;
}

QString MCore::result(std::uint32_t code) {
    if (code == 0) return "Success";
    char buffer[kReplyLength] = "";
    app_.mci().mciGetErrorStringA(code, buffer, kReplyLength);
    return QString::fromUtf8(buffer);
}

std::int32_t MCore::numericQuery(const QString& command) {
    QString reply;
    if (send(command, &reply) != 0) return -1;
    return wholeNumber(shared::Val(reply));
}

QString MCore::OpenMedia(int hWnd, const QString& alias, const QString& path,
                         const QString& deviceType) {
    char shortPath[kShortPathLength] = "";
    const std::uint32_t n =
        media::GetShortPathNameA(path.toUtf8().constData(), shortPath, kShortPathLength);
    const QString shortText = n < kShortPathLength ? QString::fromUtf8(shortPath, n) : QString();
    return result(send(QString("open %1 type %2 Alias %3 parent %4 Style %5")
                           .arg(shortText, deviceType, alias)
                           .arg(hWnd)
                           .arg(kChildWindowStyle)));
}

QString MCore::PlayMedia(const QString& alias, QString& from, QString& to) {
    if (from.isEmpty()) from = "0";
    if (to.isEmpty()) to = QString::number(GetTotalFrames(alias));
    return result(send("play " + alias + " from " + from + " to " + to));
}

QString MCore::CloseMedia(const QString& alias) {
    return result(send("Close " + alias));
}
QString MCore::PauseMedia(const QString& alias) {
    return result(send("Pause " + alias));
}
QString MCore::StopMedia(const QString& alias) {
    return result(send("Stop " + alias));
}
QString MCore::ResumeMedia(const QString& alias) {
    return result(send("Resume " + alias));
}
QString MCore::CloseAllMedia() {
    return result(send("Close All"));
}

QString MCore::GetMediaMode(const QString& alias) {
    QString reply;
    return send("status " + alias + " mode", &reply) == 0 ? reply : QString("ERROR");
}

std::int32_t MCore::GetTotalFrames(const QString& alias) {
    send("set " + alias + " time format frames");
    return numericQuery("status " + alias + " length");
}

std::int32_t MCore::GetTotalMilliseconds(const QString& alias) {
    send("set " + alias + " time format ms");
    const std::int32_t ms = numericQuery("status " + alias + " length");
    send("set " + alias + " time format frames");
    return ms;
}

QString MCore::SeekAndPlay(const QString& alias, std::int32_t position) {
    const QString seek = result(send("seek " + alias + " to " + QString::number(position)));
    send("Play " + alias);
    return seek;
}

std::int32_t MCore::GetCurrentPosition(const QString& alias) {
    return numericQuery("status " + alias + " position");
}

QString MCore::PutVideoWindow(int hWnd, const QString& alias, std::int32_t left, std::int32_t top,
                              std::int32_t& width, std::int32_t& height) {
    if (width == 0 || height == 0) {
        if (const QWidget* w = app_.handles().widget(hWnd)) {
            width = w->frameGeometry().width();
            height = w->frameGeometry().height();
        }
    }
    return result(send(QString("put %1 window at %2 %3 %4 %5")
                           .arg(alias)
                           .arg(left)
                           .arg(top)
                           .arg(width)
                           .arg(height)));
}

// Computed in 64 bits: a long video's position times 100 does not overflow.
std::int32_t MCore::GetPercentPlayed(const QString& alias) {
    const std::int32_t length = GetTotalFrames(alias);
    const std::int32_t position = GetCurrentPosition(alias);
    if (length == -1 || position == -1) return -1;
    if (length == 0) return 0;
    return wholeNumber(static_cast<double>(static_cast<std::int64_t>(position) * 100) / length);
}

std::int32_t MCore::GetFramesPerSecond(const QString& alias) {
    const std::int32_t ms = GetTotalMilliseconds(alias);
    const std::int32_t frames = GetTotalFrames(alias);
    if (ms == -1 || frames == -1 || ms == 0) return -1;
    return wholeNumber(frames / (ms / 1000.0));
}

// The reply is "left top width height".
std::int32_t MCore::GetVideoSize(const QString& alias, const QString& which) {
    const QString w = which.toLower();
    if (w != "cx" && w != "cy") return -1;
    const QSize size = whereSize(alias, "destination");
    return w == "cx" ? size.width() : size.height();
}

// Both from the one reply, or neither: half a size is no size.
QSize MCore::GetSourceSize(const QString& alias) {
    const QSize size = whereSize(alias, "source");
    return size.width() < 0 || size.height() < 0 ? QSize(-1, -1) : size;
}

// The width and height of a where reply, each -1 when it is no number.
QSize MCore::whereSize(const QString& alias, const QString& rect) {
    QString reply;
    if (send("Where " + alias + " " + rect, &reply) != 0) return {-1, -1};
    const qsizetype p1 = reply.indexOf(' ');
    const qsizetype p2 = p1 < 0 ? -1 : reply.indexOf(' ', p1 + 1);
    const qsizetype p3 = p2 < 0 ? -1 : reply.indexOf(' ', p2 + 1);
    if (p3 < 0) return {-1, -1};
    const auto number = [](const QString& part) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok);
        return ok ? value : -1;
    };
    return {number(reply.mid(p2, p3 - p2)), number(reply.mid(p3 + 1))};
}

QString MCore::SetMediaVolume(const QString& alias, const QString& channel, std::int32_t volume) {
    if (volume < 0 || volume > 100) return "out of volume";
    const QString level = QString::number(volume * 10);
    const QString c = channel.toLower();
    if (c == "left" || c == "right")
        return result(send("setaudio " + alias + " " + channel + " Volume to " + level));
    return result(send("setaudio " + alias + " Volume to " + level));
}

std::int32_t MCore::GetPlaybackSpeed(const QString& alias) {
    QString reply;
    if (send("status " + alias + " speed", &reply) != 0) return -1;
    return wholeNumber(shared::Val(reply) / 10);
}

QString MCore::systemIni() {
    char folder[kPathLength] = "";
    const std::uint32_t n = app_.profile().GetWindowsDirectoryA(folder, kPathLength);
    return QString::fromUtf8(folder, n < kPathLength ? n : 0) + "\\system.ini";
}

QString MCore::ReadMciDriver(const QString& deviceKey) {
    char value[kPathLength] = "";
    const std::uint32_t n = app_.profile().GetPrivateProfileStringA(
        "MCI", deviceKey.toUtf8().constData(), "None", value, kPathLength,
        systemIni().toUtf8().constData());
    return QString::fromUtf8(value, n);
}

void MCore::WriteMciDriver(const QString& deviceKey, const QString& driver) {
    app_.profile().WritePrivateProfileStringA("MCI", deviceKey.toUtf8().constData(),
                                              driver.toUtf8().constData(),
                                              systemIni().toUtf8().constData());
}
