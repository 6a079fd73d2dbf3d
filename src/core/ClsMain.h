#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <set>

class PlenkApp;
class DataClass;
class ClsPl;
class DoctorPlenk;
class Main;
class DataForm;

// The controller every window drives playback through.  It keeps almost no
// state: the play state lives in labels of the main window, the shared state
// window and the audio host, so that any window may read it, and each holder
// (the main window, the shortcuts, the rankings, the content filter, the
// audio host...) creates its own instance.  The playback operations are
// virtual so tests can watch the calls a holder makes.
class ClsMain {
  public:
    // The one alias the media-control engine knows the current medium by.
    static inline const QString kAlias = QStringLiteral("movie");

    explicit ClsMain(PlenkApp& app);
    virtual ~ClsMain();
    ClsMain(const ClsMain&) = delete;
    ClsMain& operator=(const ClsMain&) = delete;

    // The end of the current medium: the first queued entry, else the next
    // one by the chosen play order.
    virtual void EndOfSong();
    // The open-file dialog, then Play.
    void OpenAndPlayFile();
    // Resumes a paused medium, or else stops what is open and starts the
    // selected playlist entry (or the file named in the main window).
    virtual void Play();
    // Shows the MPEG information of the file Mp3InfoMod names in the main
    // window's and the library's information labels.
    void GetMP3Inf();
    virtual void Pause();
    void SwitchToFullScreen();
    // Stops and releases the current medium.
    virtual void SStop();
    void PlayResume();
    virtual void PlayNext();
    virtual void PlayPrevious();
    // Applies the volume slider to the media-control medium.
    virtual void ChangeVolume();
    // Start-up, once, from the main window's load.  The playlist's entries
    // go on coming in afterwards (see ClsPl::LoadEntries).
    void LoadPlenk();
    // Brings in the playlist's entries still coming in since start-up, now.
    void FinishLoadingPlaylist();
    // The one way out of the program: saves everything, then ends the process.
    virtual void ClosePlenk();
    // What the close saves, saved where the program is ending without it
    // (the display went away): nothing is shown or asked, no timer or medium
    // is touched, and each file not saved is told on standard error.
    void saveWithoutClose();
    void SwitchMainMode();
    // The 500 ms progress tick of media played through the media-control engine.
    void TimerMixF();
    virtual void SliderMultimediaChange();
    void ResizeTheVideo();
    void SetCDState(bool pbState);
    void IncarcaSetari();
    void SalveazaSetari();
    void SalveazaValoriAsociere();
    void IncarcaValoriAsociere();
    void ChangeMainMode();
    // The main window's video layout while a picture is open, else (outside
    // mini mode) its audio layout.
    void applyMciLayout();

  private:
    QString GetLongPath(const QString& path);

    DataClass& data();
    ClsPl& playlistOps();
    ClsMain& inner();
    Main& main();
    DataForm& shared();
    void writeResult(const QString& result);
    bool pausedMedium();
    // What a start was asked for: whether from the playlist, its row and title.
    struct Start {
        bool fromPlaylist;
        int row;
        QString title;
    };
    // True when the medium started playing.
    bool playThroughMci(const QString& path);
    void noteStart(const Start& start, bool started);
    std::set<int>& failedRows();
    bool everyRowFailed();
    void openedMci();
    void afterMciPlay(const QString& path);
    void mciFailed(const QString& path);
    // SStop without the idle picture, for a close that shows nothing more.
    void stopPlayback();
    void stopMci();
    void showIdlePicture();
    bool takeQueuedEntry();
    void stepInListOrder();
    void randomPick();
    void selectRow(int row);
    void applyLayout(bool full);
    void enterFullScreen();
    void leaveFullScreen();
    void saveRankings();
    void saveForClose();
    void saveEverything();
    bool retryFailedSaves(const QStringList& failed);
    static void tellNotSaved(const QStringList& failed);
    void loadSettingsLines();
    void applySettingsLine(int line, const QString& text);

    PlenkApp& app_;
    std::unique_ptr<DataClass> Data;
    std::unique_ptr<ClsPl> PlaylistOps;
    std::unique_ptr<ClsMain> InnerController;
    std::int32_t LastPercentPlayed = 0;
    QString MciAlias;
    QString MciDeviceType;
    QString LastMciResult;
    std::int32_t SeekTargetFrame = 0;
    std::unique_ptr<DoctorPlenk> Doctor;
};

// A holder's own controller, created on first use; tests hand one in to
// watch the calls it gets.
class ControllerSlot {
  public:
    explicit ControllerSlot(PlenkApp& app) : app_(app) {}
    ClsMain& get();
    void set(std::unique_ptr<ClsMain> controller) { controller_ = std::move(controller); }

  private:
    PlenkApp& app_;
    std::unique_ptr<ClsMain> controller_;
};
