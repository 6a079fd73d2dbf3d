#pragma once

#include <QString>

#include "core/ClsMain.h"

namespace ui {
class Application;
}

// The Top 20: the twenty titles played most often with their play counts,
// kept in the library window's Song(i) and CountPlayed(i) labels, and the
// waiting list of titles played once (MediaLibrary.ListaAsteptare).  A title
// is a playlist display text, compared exactly.
class Top10 {
  public:
    explicit Top10(ui::Application& app);

    // Counts one play of a title and starts a sort pass.  An empty title
    // (nothing selected) is not counted.
    void RegisterPlay(const QString& Title);
    // One step of the sort pass, run by MediaLibrary.TimerClasament: moves a
    // row above the row over it when it has more plays.
    void SortTopStep();
    // Picks the next entry weighted by rank and starts it.
    void PlayByPreference();
    // Writes the current title's place into Main.PozInTop.
    void ShowTopPosition();

    // The rankings' own controller, through which a pick plays or stops.
    ControllerSlot MainCtl;

  private:
    int rowOf(const QString& title);
    bool registerInRows(const QString& title);
    bool promoteFromWaiting(const QString& title);
    void swapRows(int lower, int upper);
    int draw(int count);
    bool playTitle(const QString& title);
    void selectRow(int row);
    void playRow(int row);
    void playAnyRow();

    PlenkApp& app_;
    // The lower row of the next pair the sort pass compares.
    int SortRow = 0;
};
