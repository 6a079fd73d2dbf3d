#pragma once

#include <QString>
#include <functional>

#include "platform/ui/Control.h"
#include "platform/ui/Picture.h"

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
    // Gives every picture the loader writes the Default skin's picture that
    // the program carries, as the windows' design has it; a first skin that
    // lacks a file shows that picture in its place.
    void ShowDesignPictures();
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
    void applyPictures(const std::function<ui::Picture(const QString&)>& read);
    void panelFollowsMainPicture();

    PlenkApp& app_;
    ui::OleColor skinColour_ = 0;
};
