#include "playlist/Top10.h"

#include <limits>
#include <random>

#include "app/PlenkApp.h"
#include "options/Options.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "shared/TextCodec.h"
#include "windows/Main.h"

namespace {

constexpr int kRows = 20;
// The waiting list keeps the 19 titles played last.
constexpr int kWaitingLimit = 20;
// A preference pick draws 1 to 70; up to 59 a rank is chosen, above it any entry.
constexpr int kDraws = 70;
constexpr int kRankedDraws = 59;

long long playCount(const ui::Label& count) {
    return static_cast<long long>(shared::Val(count.Caption()));
}

// The row a draw of 1 to 59 chooses: ranks 1 to 4 by their own shares,
// ranks 5 to 20 two draws each.
int rankRow(int draw) {
    if (draw <= 5) return 2;
    if (draw <= 11) return 1;
    if (draw <= 24) return 0;
    if (draw <= 27) return 3;
    return (draw - 18) / 2 - 1;
}

}  // namespace

Top10::Top10(ui::Application& app)
    : MainCtl(static_cast<PlenkApp&>(app)), app_(static_cast<PlenkApp&>(app)) {}

void Top10::RegisterPlay(const QString& Title) {
    // An empty title would match every free row; one holding a line break
    // could not be saved as one line of the rankings file.
    if (Title.isEmpty() || shared::holdsLineBreak(shared::encodeText(Title))) return;
    MediaLibrary& library = app_.form<MediaLibrary>();
    ui::ListBox& waiting = library.ListaAsteptare;
    if (!registerInRows(Title) && !promoteFromWaiting(Title)) waiting.AddItem(Title);
    if (waiting.ListCount() >= kWaitingLimit) waiting.RemoveItem(0);
    SortRow = kRows;
    library.TimerClasament.setEnabled(true);
}

// Counts a play of a ranked title, or ranks a new one in the first free row.
bool Top10::registerInRows(const QString& title) {
    MediaLibrary& library = app_.form<MediaLibrary>();
    auto addPlay = [&](int row) {
        ui::Label& count = library.CountPlayed(row);
        const long long plays = playCount(count) + 1;
        count.setCaption(shared::formatInt(
            std::min<long long>(plays, std::numeric_limits<std::int32_t>::max())));
    };
    bool found = false;
    for (int i = 0; i < kRows; ++i) {
        if (library.Song(i).Caption() != title) continue;
        addPlay(i);
        found = true;
    }
    for (int i = 0; i < kRows && !found; ++i) {
        if (!library.Song(i).Caption().isEmpty()) continue;
        addPlay(i);
        library.Song(i).setCaption(title);
        found = true;
    }
    return found;
}

// A second play of a waiting title takes the last row, whose title drops out.
bool Top10::promoteFromWaiting(const QString& title) {
    MediaLibrary& library = app_.form<MediaLibrary>();
    ui::ListBox& waiting = library.ListaAsteptare;
    for (int i = 0; i < waiting.ListCount(); ++i) {
        if (waiting.List(i) != title) continue;
        library.Song(kRows - 1).setCaption(title);
        library.CountPlayed(kRows - 1).setCaption("2");
        waiting.RemoveItem(i);
        return true;
    }
    return false;
}

void Top10::SortTopStep() {
    MediaLibrary& library = app_.form<MediaLibrary>();
    --SortRow;
    if (SortRow >= 1 &&
        playCount(library.CountPlayed(SortRow)) > playCount(library.CountPlayed(SortRow - 1)))
        swapRows(SortRow, SortRow - 1);
    if (SortRow <= 0) library.TimerClasament.setEnabled(false);
    ShowTopPosition();
}

void Top10::swapRows(int lower, int upper) {
    MediaLibrary& library = app_.form<MediaLibrary>();
    const QString title = library.Song(lower).Caption();
    const long long plays = playCount(library.CountPlayed(lower));
    library.Song(lower).setCaption(library.Song(upper).Caption());
    library.CountPlayed(lower).setCaption(shared::formatInt(playCount(library.CountPlayed(upper))));
    library.Song(upper).setCaption(title);
    library.CountPlayed(upper).setCaption(shared::formatInt(plays));
}

int Top10::rowOf(const QString& title) {
    MediaLibrary& library = app_.form<MediaLibrary>();
    for (int i = 0; i < kRows; ++i)
        if (library.Song(i).Caption() == title) return i;
    return -1;
}

void Top10::ShowTopPosition() {
    const QString current = app_.form<Main>().PiesaCurenta.Caption();
    const bool romanian = app_.form<Options>().LanguageSelector.Selected(1);
    const int row = current.isEmpty() ? -1 : rowOf(current);
    QString text;
    if (row >= 0)
        text = QString(romanian ? "Locul %1 in clasament" : "Position %1 in Top 20").arg(row + 1);
    else if (app_.form<MediaLibrary>().ListaAsteptare.items().contains(current))
        text = romanian ? "Nu se afla in Top 20" : "Not in Top 20";
    else
        text = romanian ? "Nu se afla in clasament" : "Not in Top 20";
    app_.form<Main>().PozInTop.setCaption(text);
}

void Top10::PlayByPreference() {
    ui::ListBox& list = app_.form<Playlist>().PicList;
    const int draw = this->draw(kDraws) + 1;
    if (draw <= kRankedDraws) {
        const QString title = app_.form<MediaLibrary>().Song(rankRow(draw)).Caption();
        if (!title.isEmpty() && playTitle(title)) return;
    } else if (list.ListCount() > 0) {
        playRow(this->draw(list.ListCount()));
        return;
    }
    playAnyRow();
}

// A whole number from 0 to count - 1, every one as likely.
int Top10::draw(int count) {
    return std::uniform_int_distribution<int>(0, count - 1)(app_.random());
}

bool Top10::playTitle(const QString& title) {
    ui::ListBox& list = app_.form<Playlist>().PicList;
    for (int i = 0; i < list.ListCount(); ++i) {
        if (list.List(i) != title) continue;
        playRow(i);
        return true;
    }
    return false;
}

void Top10::selectRow(int row) {
    app_.form<Playlist>().PicList.setListIndex(row);
    app_.form<DataForm>().ListaCale.setListIndex(row);
}

void Top10::playRow(int row) {
    selectRow(row);
    MainCtl.get().Play();
}

// Any entry at all; an empty playlist, or an entry without a text, stops.
void Top10::playAnyRow() {
    ui::ListBox& list = app_.form<Playlist>().PicList;
    if (list.ListCount() > 0) selectRow(draw(list.ListCount()));
    if (list.Text().isEmpty())
        MainCtl.get().SStop();
    else
        MainCtl.get().Play();
}
