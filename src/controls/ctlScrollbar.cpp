#include "controls/ctlScrollbar.h"

#include <cmath>

#include "app/PlenkApp.h"
#include "platform/ui/Twips.h"
#include "shared/NumberText.h"
#include "skins/SkinFiles.h"

namespace {

// A picture of the built-in Default skin, by file name without ".bmp".
ui::Picture designPicture(const QString& name) {
    return SkinFiles::designPicture(name + ".bmp");
}

// Persisted keys in the order they are read and written; the pictures follow.
const char* const kPictureKeys[3][3] = {
    {"UpButtonNormal", "UpButtonHover", "UpButtonDown"},
    {"DownButtonNormal", "DownButtonHover", "DownButtonDown"},
    {"ThumbButtonNormal", "ThumbButtonHover", "ThumbButtonDown"},
};
const char* const kUsePictureKeys[3] = {"UsePictureUp", "UsePictureDown", "UsePictureThumb"};

// 16-bit whole number of a stored step, as the property reads it back.
double asInteger16(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= -32768 && r <= 32767)) throw ui::RuntimeError(ui::kOverflow);
    return r;
}

// An end of the range that is no finite number would give the thumb no
// scale; it is refused as an invalid property value and the old end stays.
double finiteEnd(double v) {
    if (!std::isfinite(v)) throw ui::RuntimeError(ui::kInvalidPropertyValue);
    return v;
}

}  // namespace

ctlScrollbar::ctlScrollbar(ui::Form& form, QString name, int orientation)
    : ui::UserControl(form, std::move(name)),
      controller_(static_cast<PlenkApp&>(form.application())) {
    setScaleMode(ui::vbPixels);
    keepDesign(props_);
    keepDesign(live_);
    for (ui::PictureBox* p : {&Picture1, &Picture3, &Picture4})
        p->setContainer(this);
    Picture2.setContainer(&Picture4);
    for (ui::PictureBox* p : {&Picture1, &Picture2, &Picture3, &Picture4}) {
        p->setScaleMode(ui::vbPixels);
        p->setAutoRedraw(true);
    }
    for (ui::Timer* t : {&tmUp, &tmDn, &tmUp2, &tmDn2}) {
        t->setInterval(100);
        t->setEnabled(false);
    }
    for (ui::Timer* t : {&Tracking1, &Tracking2, &Tracking3}) {
        t->setInterval(1);
        t->setEnabled(false);
    }
    setDesign(design(orientation));
    connectParts();
}

ui::PropertyBag ctlScrollbar::design(int orientation, double largeChange) {
    ui::PropertyBag bag;
    bag.WriteProperty("LargeChange", largeChange, 10.0);
    for (const char* key : kUsePictureKeys)
        bag.WriteProperty(key, true, false);
    const bool across = orientation == horizontal;
    const QString files[3][2] = {
        {across ? "h-scrollbar-left" : "v-scrollbar-up", ""},
        {across ? "h-scrollbar-right" : "v-scrollbar-down", ""},
        {across ? "h-scrollbar-thumb" : "v-scrollbar-thumb",
         across ? "h-scrollbar-thumb-focus" : "v-scrollbar-thumb-focus"},
    };
    for (int part = 0; part < 3; ++part) {
        const ui::Picture normal = designPicture(files[part][0]);
        const ui::Picture lit = files[part][1].isEmpty() ? normal : designPicture(files[part][1]);
        bag.WriteProperty(kPictureKeys[part][0], QVariant::fromValue(normal));
        for (int look = 1; look < 3; ++look)
            bag.WriteProperty(kPictureKeys[part][look], QVariant::fromValue(lit));
    }
    bag.WriteProperty("BackgroundPicture",
                      QVariant::fromValue(designPicture(across ? "h-scrollbar-background"
                                                               : "v-scrollbar-background")));
    bag.WriteProperty("Orientation", orientation, 0);
    return bag;
}

PlenkApp& ctlScrollbar::app() const {
    return static_cast<PlenkApp&>(parentForm().application());
}

template <class T>
void ctlScrollbar::write(T& field, const T& v, const char* key) {
    touch();
    field = v;
    PropertyChanged(key);
    Redraw();
}

int ctlScrollbar::Orientation() const {
    return touch(), props_.orientation;
}
void ctlScrollbar::setOrientation(int v) {
    write(props_.orientation, v, "Orientation");
}
ui::Picture ctlScrollbar::BackgroundPicture() const {
    return touch(), props_.background;
}
void ctlScrollbar::setBackgroundPicture(const ui::Picture& p) {
    write(props_.background, p, "BackgroundPicture");
}
bool ctlScrollbar::UsePictureUp() const {
    return touch(), props_.usePicture[0];
}
void ctlScrollbar::setUsePictureUp(bool v) {
    write(props_.usePicture[0], v, kUsePictureKeys[0]);
}
bool ctlScrollbar::UsePictureDown() const {
    return touch(), props_.usePicture[1];
}
void ctlScrollbar::setUsePictureDown(bool v) {
    write(props_.usePicture[1], v, kUsePictureKeys[1]);
}
bool ctlScrollbar::UsePictureThumb() const {
    return touch(), props_.usePicture[2];
}
void ctlScrollbar::setUsePictureThumb(bool v) {
    write(props_.usePicture[2], v, kUsePictureKeys[2]);
}

ui::Picture ctlScrollbar::ButtonPicture(int part, int look) const {
    touch();
    if (part < 0 || part > 2 || look < 0 || look > 2) throw ui::RuntimeError(ui::kInvalidCall);
    return props_.pictures[part][look];
}

void ctlScrollbar::setButtonPicture(int part, int look, const ui::Picture& p) {
    if (part < 0 || part > 2 || look < 0 || look > 2) throw ui::RuntimeError(ui::kInvalidCall);
    write(props_.pictures[part][look], p, kPictureKeys[part][look]);
}

int ctlScrollbar::StateOver() const {
    return touch(), props_.stateOver;
}
void ctlScrollbar::setStateOver(int v) {
    write(props_.stateOver, v, "StateOver");
}
int ctlScrollbar::StateNormal() const {
    return touch(), props_.stateNormal;
}
void ctlScrollbar::setStateNormal(int v) {
    write(props_.stateNormal, v, "StateNormal");
}
int ctlScrollbar::StateDown() const {
    return touch(), props_.stateDown;
}
void ctlScrollbar::setStateDown(int v) {
    write(props_.stateDown, v, "StateDown");
}

double ctlScrollbar::value() const {
    return touch(), props_.value;
}

// Clamped into [min, max] (a value that compares with nothing becomes min),
// the thumb placed by the last scale, and the repaint derives the whole value.
void ctlScrollbar::setValue(double v) {
    touch();
    if (!(v >= props_.min)) v = props_.min;
    if (v > props_.max) v = props_.max;
    props_.value = v;
    PropertyChanged("Value");
    ui::step([&] {
        const double pos = live_.pixelsPerUnit * (v - props_.min);
        live_.thumbPos = std::isfinite(pos) ? pos : 0;
    });
    Redraw();
}

void ctlScrollbar::setValue(const QString& text) {
    setValue(shared::toDouble(text));
}

double ctlScrollbar::min() const {
    return touch(), props_.min;
}
void ctlScrollbar::setMin(double v) {
    write(props_.min, finiteEnd(v), "Min");
}
double ctlScrollbar::max() const {
    return touch(), props_.max;
}
void ctlScrollbar::setMax(double v) {
    write(props_.max, finiteEnd(v), "Max");
}
double ctlScrollbar::SmallChange() const {
    return touch(), asInteger16(props_.smallChange);
}
void ctlScrollbar::setSmallChange(double v) {
    write(props_.smallChange, asInteger16(v), "SmallChange");
}
double ctlScrollbar::LargeChange() const {
    return touch(), asInteger16(props_.largeChange);
}
void ctlScrollbar::setLargeChange(double v) {
    write(props_.largeChange, asInteger16(v), "LargeChange");
}
ui::OleColor ctlScrollbar::TrackColor() const {
    return touch(), props_.trackColor;
}
void ctlScrollbar::setTrackColor(ui::OleColor v) {
    write(props_.trackColor, v, "TrackColor");
}

void ctlScrollbar::UserControl_Initialize() {
    for (ui::PictureBox* p : {&Picture1, &Picture2, &Picture3, &Picture4})
        p->setBorderStyle(0);
    Redraw();
}

void ctlScrollbar::UserControl_InitProperties() {
    props_ = Props{};
    live_.thumbPos = 0;
}

// Each key straight into its property, no clamping; a bad value keeps the
// property as it was and the next key is read.
void ctlScrollbar::UserControl_ReadProperties(ui::PropertyBag& bag) {
    Props& p = props_;
    ui::step([&] { p.stateOver = bag.readLong("StateOver", 0); });
    ui::step([&] { p.stateNormal = bag.readLong("StateNormal", 0); });
    ui::step([&] { p.stateDown = bag.readLong("StateDown", 1); });
    ui::step([&] { p.min = bag.readDouble("Min", 0); });
    ui::step([&] { p.max = bag.readDouble("Max", 100); });
    ui::step([&] { p.value = bag.readDouble("Value", 0); });
    ui::step([&] { p.trackColor = bag.readColor("TrackColor", 0x80000014); });
    ui::step([&] { p.smallChange = asInteger16(bag.readDouble("SmallChange", 1)); });
    ui::step([&] { p.largeChange = asInteger16(bag.readDouble("LargeChange", 10)); });
    for (int i = 0; i < 3; ++i)
        ui::step([&] { p.usePicture[i] = bag.readBoolean(kUsePictureKeys[i], false); });
    for (int part = 0; part < 3; ++part)
        for (int look = 0; look < 3; ++look)
            ui::step([&] { p.pictures[part][look] = bag.readPicture(kPictureKeys[part][look]); });
    ui::step([&] { p.background = bag.readPicture("BackgroundPicture"); });
    ui::step([&] { p.orientation = bag.readLong("Orientation", 0); });
    Redraw();
}

void ctlScrollbar::UserControl_WriteProperties(ui::PropertyBag& bag) {
    const Props& p = props_;
    bag.WriteProperty("StateOver", p.stateOver, 0);
    bag.WriteProperty("StateNormal", p.stateNormal, 0);
    bag.WriteProperty("StateDown", p.stateDown, 1);
    bag.WriteProperty("Min", p.min, 0.0);
    bag.WriteProperty("Max", p.max, 100.0);
    bag.WriteProperty("Value", p.value, 0.0);
    bag.WriteProperty("TrackColor", p.trackColor, 0x80000014u);
    bag.WriteProperty("SmallChange", p.smallChange, 1.0);
    bag.WriteProperty("LargeChange", p.largeChange, 10.0);
    for (int i = 0; i < 3; ++i)
        bag.WriteProperty(kUsePictureKeys[i], p.usePicture[i], false);
    for (int part = 0; part < 3; ++part)
        for (int look = 0; look < 3; ++look)
            if (!p.pictures[part][look].isEmpty())
                bag.WriteProperty(kPictureKeys[part][look],
                                  QVariant::fromValue(p.pictures[part][look]));
    if (!p.background.isEmpty())
        bag.WriteProperty("BackgroundPicture", QVariant::fromValue(p.background));
    bag.WriteProperty("Orientation", p.orientation, 0);
}

void ctlScrollbar::UserControl_Show() {
    Redraw();
}

// The repaint, then the least size that holds both buttons, the thumb and 10 pixels.
void ctlScrollbar::UserControl_Resize() {
    Redraw();
    const double need =
        isHorizontal() ? Picture1.ScaleWidth() + Picture3.ScaleWidth() + Picture2.ScaleWidth()
                       : Picture1.ScaleHeight() + Picture3.ScaleHeight() + Picture2.ScaleHeight();
    const double have = isHorizontal() ? ScaleWidth() : ScaleHeight();
    if (need + 10 <= have) return;
    const float perPixel =
        ui::kTwipsPerPixel / (Container() ? Container()->twipsPerScaleUnit() : 1);
    if (isHorizontal())
        setWidth(static_cast<float>((need + 10) * perPixel));
    else
        setHeight(static_cast<float>((need + 10) * perPixel));
    Redraw();
}
