#pragma once

#include <QString>

#include "platform/ui/Control.h"

class PlenkApp;
namespace ui {
class Application;
}

// The skin loader, a module of the application: it applies the current
// skin's colours (from the lines of skin.ini in DataForm.SkinSettings) and
// pictures to the windows and fills DataForm's picture store.  Every write is
// a step of its own: one that fails is skipped and its target keeps what it
// had, so a skin lacking a file leaves the previous skin's picture there.
class Skins {
  public:
    explicit Skins(ui::Application& app);

    void ApplySkin();
    // Sets SkinColour to the colour named by the selected line of
    // DataForm.SkinValues; a text that names none leaves it as it was.
    void SkinColourFromName();
    // The last colour a name gave; black at start, kept from run to run.
    ui::OleColor SkinColour() const { return skinColour_; }

  private:
    // The text of line n of SkinValues, read by selecting it: a line that is
    // not there leaves the selection, and so the text, of the line read last.
    QString line(int n);
    void fillValues();
    void applyColourGroups();
    void applyBackColour();
    void applyScrollbarVisibility();
    void applyPictures();

    PlenkApp& app_;
    ui::OleColor skinColour_ = 0;
};
