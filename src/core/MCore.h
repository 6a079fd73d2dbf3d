#pragma once

#include <QSize>
#include <QString>
#include <cstdint>

namespace ui {
class Application;
}
class PlenkApp;

// The only place that talks to the media-control engine through its string
// commands.  Command routines give "Success" or the engine's error text,
// numeric queries -1 when the engine cannot tell, the mode query "ERROR".
// It keeps nothing between calls: devices live in the engine by alias.
class MCore {
  public:
    explicit MCore(ui::Application& app);

    QString OpenMedia(int hWnd, const QString& alias, const QString& path,
                      const QString& deviceType);
    // Empty positions mean from the start and to the last frame; the
    // substitutes are handed back through the arguments.
    QString PlayMedia(const QString& alias, QString& from, QString& to);
    QString CloseMedia(const QString& alias);
    QString PauseMedia(const QString& alias);
    QString StopMedia(const QString& alias);
    QString ResumeMedia(const QString& alias);
    QString GetMediaMode(const QString& alias);
    std::int32_t GetTotalFrames(const QString& alias);
    std::int32_t GetTotalMilliseconds(const QString& alias);
    QString SeekAndPlay(const QString& alias, std::int32_t position);
    std::int32_t GetCurrentPosition(const QString& alias);
    // A width or height of 0 takes both from the window's outer size, handed back.
    QString PutVideoWindow(int hWnd, const QString& alias, std::int32_t left, std::int32_t top,
                           std::int32_t& width, std::int32_t& height);
    std::int32_t GetPercentPlayed(const QString& alias);
    std::int32_t GetFramesPerSecond(const QString& alias);
    // which: "cx" (width) or "cy" (height), in any letter case.
    std::int32_t GetVideoSize(const QString& alias, const QString& which);
    // The picture's own size, whatever window it is drawn into; -1 by -1
    // when the engine cannot tell.
    QSize GetSourceSize(const QString& alias);
    QString CloseAllMedia();
    // volume 0 to 100; channel "left", "right" or anything else for both.
    QString SetMediaVolume(const QString& alias, const QString& channel, std::int32_t volume);
    std::int32_t GetPlaybackSpeed(const QString& alias);

    // The driver entries of the "MCI" section of system.ini.
    QString ReadMciDriver(const QString& deviceKey);
    void WriteMciDriver(const QString& deviceKey, const QString& driver);

  private:
    std::uint32_t send(const QString& command, QString* reply = nullptr);
    QString result(std::uint32_t code);
    std::int32_t numericQuery(const QString& command);
    QSize whereSize(const QString& alias, const QString& rect);
    QString systemIni();

    PlenkApp& app_;
};
