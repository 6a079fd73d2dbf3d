#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "platform/ui/Control.h"
#include "platform/ui/Picture.h"

class PlenkApp;
class ctlScrollbar;
namespace ui {
class Form;
}

// The data the skin loader applies: which colour names it knows, which
// controls each line of skin.ini colours, and which picture goes where.
namespace SkinTables {

enum class Window { Main, Playlist, MediaLibrary, Options, Data };

// A control by window, name and array index (-1: not an array); no name
// means the window itself.
struct Target {
    Window window;
    const char* control = nullptr;
    int index = -1;
};

struct ColourName {
    const char* name;
    ui::OleColor colour;
};
// Compared exactly, in this order.
const std::vector<ColourName>& colourNames();

enum class Paint { Text, Back };
struct ColourGroup {
    int line;
    Paint paint;
    std::vector<Target> targets;
};
const std::vector<ColourGroup>& colourGroups();

// The targets of the window back colour (lines 13 to 15), in order.
const std::vector<Target>& backColourTargets();

// One picture write: a load of file into target, or, with no file, a copy of
// what source holds at that moment.  A slot of 0 to 9 names one of a skinned
// slider's ten pictures in the order of kSliderSlots; -1 the control's own.
struct PictureStep {
    const char* file;
    Target target;
    Target source;
    int slot = -1;
};
// A slider's ten pictures: the background, then the down, up and thumb
// buttons, each normal, hover and down.  part is the slider's button part
// (0 up, 1 down, 2 thumb), -1 for the background.
struct SliderSlot {
    int part;
    int look;
};
inline constexpr SliderSlot kSliderSlots[10] = {{-1, 0}, {1, 0}, {1, 1}, {1, 2}, {0, 0},
                                                {0, 1},  {0, 2}, {2, 0}, {2, 1}, {2, 2}};
inline constexpr int kSliderSlotCount = 10;
ui::Picture sliderPicture(const ctlScrollbar& slider, int slot);
void setSliderPicture(ctlScrollbar& slider, int slot, const ui::Picture& picture);
// The skin files of a horizontal slider (volume and seek), by slot.
const std::array<const char*, kSliderSlotCount>& horizontalSliderFiles();
const std::vector<PictureStep>& pictureSteps();

// The window of a target, loaded when it was not.
ui::Form& window(PlenkApp& app, Window which);
// The control a target names, or nullptr when its window has none such.
ui::Control* control(PlenkApp& app, const Target& target);

}  // namespace SkinTables
