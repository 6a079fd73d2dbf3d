#include "skins/SkinTables.h"

#include "app/PlenkApp.h"
#include "controls/ctlScrollbar.h"
#include "options/Options.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "windows/Main.h"

namespace SkinTables {

using W = Window;

const std::vector<ColourName>& colourNames() {
    static const std::vector<ColourName> names{
        {"black", 0x000000},
        {"white", 0xFFFFFF},
        {"blue", 0xFF0000},
        {"cyan", 0xFFFF00},
        {"green", 0x00FF00},
        {"magenta", 0xFF00FF},
        {"red", 0x0000FF},
        {"yellow", 0x00FFFF},
        // The desktop's button face, resolved where it is painted.
        {"gray", 0x8000000F},
    };
    return names;
}

const std::vector<ColourGroup>& colourGroups() {
    static const std::vector<ColourGroup> groups{
        {1,
         Paint::Text,
         {{W::Main, "Label1"},
          {W::Main, "Label3"},
          {W::Main, "Label4"},
          {W::Playlist, "Label1"},
          {W::Playlist, "Label3"}}},
        {2,
         Paint::Text,
         {{W::Main, "TSec"},
          {W::Main, "TotalTime"},
          {W::Main, "Titlu"},
          {W::Main, "StarePlayer"},
          {W::Main, "InfoIDTag"},
          {W::Main, "LabelVideo"},
          {W::Main, "labBitRate"}}},
        {3,
         Paint::Text,
         {{W::Main, "MultimediaInfoLabel"},
          {W::Main, "labSize"},
          {W::Main, "labLength"},
          {W::Main, "labLayer"},
          {W::Main, "labFreqChan"},
          {W::Main, "ResizeArea"},
          {W::Playlist, "ResizeArea"}}},
        {4, Paint::Text, {{W::Main, "InfoLabel"}, {W::Main, "PlaylistLabel"}}},
        {5, Paint::Back, {{W::Playlist, "PicList"}}},
        {6, Paint::Text, {{W::Playlist, "PicList"}}},
    };
    return groups;
}

const std::vector<Target>& backColourTargets() {
    static const std::vector<Target> targets{
        {W::Main},
        {W::Playlist},
        {W::Main, "RightFrame"},
        {W::Playlist, "FrameScroll"},
        {W::Main, "FrameVideo", 0},
        {W::Main, "MainFrame", 1},
    };
    return targets;
}

namespace {

std::vector<PictureStep> buildPictureSteps() {
    const Target none{W::Data};
    std::vector<PictureStep> steps{
        {"\\main.jpg", {W::Main, "Image1"}, none},
        {"\\menu-normal.bmp", {W::Data, "MeniuNormal"}, none},
        {"\\menu-hover.bmp", {W::Data, "MeniuHover"}, none},
        {"\\minimize-normal.bmp", {W::Data, "MinimizeNormal"}, none},
        {"\\minimize-hover.bmp", {W::Data, "MinimizeFocus"}, none},
        {"\\close-normal.bmp", {W::Data, "CloseNormal"}, none},
        {"\\close-hover.bmp", {W::Data, "CloseFocus"}, none},
        {nullptr, {W::Main, "MinimizeButton"}, {W::Data, "MinimizeNormal"}},
        {nullptr, {W::Main, "CloseButton"}, {W::Data, "CloseNormal"}},
        {nullptr, {W::Playlist, "CloseButton"}, {W::Data, "CloseNormal"}},
        {nullptr, {W::MediaLibrary, "CloseButton"}, {W::Data, "CloseNormal"}},
        {"\\button.bmp", {W::Main, "Image3"}, none},
        {nullptr, {W::Main, "Image4"}, {W::Main, "Image3"}},
    };
    const std::pair<const char*, const char*> edges[] = {
        {"\\top-left.bmp", "ImgTopLeft"},         {"\\top.bmp", "ImgTopCenter"},
        {"\\top-right.bmp", "ImgTopRight"},       {"\\right.bmp", "ImgRight"},
        {"\\bottom-right.bmp", "ImgBottomRight"}, {"\\bottom.bmp", "ImgBottomCenter"},
        {"\\bottom-left.bmp", "ImgBottomLeft"},   {"\\left.bmp", "ImgLeft"},
    };
    for (auto [file, name] : edges) {
        steps.push_back({file, {W::Main, name}, none});
        steps.push_back({nullptr, {W::Playlist, name}, {W::Main, name}});
        steps.push_back({nullptr, {W::MediaLibrary, name}, {W::Main, name}});
    }
    steps.push_back({"\\logo.bmp", {W::Main, "Logo"}, none});
    steps.push_back({"\\vol-pic.bmp", {W::Main, "ImagineVolum"}, none});
    for (const char* menu : {"Meniu1", "Meniu2", "Meniu3"})
        steps.push_back({nullptr, {W::Main, menu}, {W::Data, "MeniuNormal"}});
    return steps;
}

// A slider's files: background, down, up, thumb, thumb lit.
struct SliderFiles {
    const char* background;
    const char* down;
    const char* up;
    const char* thumb;
    const char* thumbLit;
};

std::array<const char*, kSliderSlotCount> slotFiles(const SliderFiles& f) {
    return {f.background, f.down, f.down,  f.down,     f.up,
            f.up,         f.up,   f.thumb, f.thumbLit, f.thumbLit};
}

constexpr SliderFiles kHorizontalSlider{"\\h-scrollbar-background.bmp", "\\h-scrollbar-right.bmp",
                                        "\\h-scrollbar-left.bmp", "\\h-scrollbar-thumb.bmp",
                                        "\\h-scrollbar-thumb-focus.bmp"};

void addSliderLoads(std::vector<PictureStep>& steps, const Target& slider, const SliderFiles& f) {
    const auto files = slotFiles(f);
    for (int slot = 0; slot < kSliderSlotCount; ++slot)
        steps.push_back({files[slot], slider, {W::Data}, slot});
}

// The volume slider, the seek slider as its copy, the eleven bands and the
// playlist's scroll bar.
void addSliderSteps(std::vector<PictureStep>& steps) {
    const Target volume{W::Main, "Volum"};
    addSliderLoads(steps, volume, kHorizontalSlider);
    for (int slot = 0; slot < kSliderSlotCount; ++slot)
        steps.push_back({nullptr, {W::Main, "SliderMoveMultimedia", 0}, volume, slot});
    const SliderFiles band{"\\v-scrollbar-background.bmp", "\\v-scrollbar-down.bmp",
                           "\\v-scrollbar-up.bmp", "\\v-scrollbar-thumb.bmp",
                           "\\v-scrollbar-thumb-focus.bmp"};
    for (int i = 0; i <= 10; ++i)
        addSliderLoads(steps, {W::Main, "sldEQR", i}, band);
    addSliderLoads(steps, {W::Playlist, "ScrollBar"},
                   {band.background, band.down, band.up, "\\playlist-thumb.bmp",
                    "\\playlist-thumb-focus.bmp"});
}

// The rows after the sliders: tool buttons and the store's holders.
void addButtonSteps(std::vector<PictureStep>& steps) {
    static const char* const names[] = {"ImgButton1", "ImgButton2", "ImgButton3",
                                        "ImgButton4", "ImgButton5", "ImgButton6"};
    static const char* const files[] = {"\\button1.bmp", "\\button2.bmp", "\\button3.bmp",
                                        "\\button4.bmp", "\\button5.bmp", "\\button6.bmp"};
    static const char* const hoverFiles[] = {"\\button1f.bmp", "\\button2f.bmp", "\\button3f.bmp",
                                             "\\button4f.bmp", "\\button5f.bmp", "\\button6f.bmp"};
    static const char* const hovers[] = {"ImgButton1Hover", "ImgButton2Hover", "ImgButton3Hover",
                                         "ImgButton4Hover", "ImgButton5Hover", "ImgButton6Hover"};
    const Target none{W::Data};
    for (int i = 0; i < 6; ++i)
        steps.push_back({files[i], {W::Main, names[i]}, none});
    for (int i = 0; i < 6; ++i)
        steps.push_back({nullptr, {W::Data, names[i]}, {W::Main, names[i]}});
    for (int i = 0; i < 6; ++i)
        steps.push_back({hoverFiles[i], {W::Data, hovers[i]}, none});
    for (auto [file, name] : {std::pair{"\\button2b.bmp", "ImgButton2b"},
                              {"\\button4b.bmp", "ImgButton4b"},
                              {"\\button5b.bmp", "ImgButton5b"},
                              {"\\button6b.bmp", "ImgButton6b"}})
        steps.push_back({file, {W::Data, name}, none});
    steps.push_back({"\\button.bmp", {W::Data, "ImgButton"}, none});
    steps.push_back({"\\button-focus.bmp", {W::Data, "ImgButtonFocus"}, none});
    steps.push_back({nullptr, {W::Options, "CloseButton"}, {W::Data, "CloseNormal"}});
    steps.push_back({"\\plenkplayer.bmp", {W::Main, "Visualisation"}, none});
}

}  // namespace

ui::Picture sliderPicture(const ctlScrollbar& slider, int slot) {
    const SliderSlot s = kSliderSlots[slot];
    return s.part < 0 ? slider.BackgroundPicture() : slider.ButtonPicture(s.part, s.look);
}

void setSliderPicture(ctlScrollbar& slider, int slot, const ui::Picture& picture) {
    const SliderSlot s = kSliderSlots[slot];
    if (s.part < 0) return slider.setBackgroundPicture(picture);
    slider.setButtonPicture(s.part, s.look, picture);
}

const std::array<const char*, kSliderSlotCount>& horizontalSliderFiles() {
    static const auto files = slotFiles(kHorizontalSlider);
    return files;
}

const std::vector<PictureStep>& pictureSteps() {
    static const std::vector<PictureStep> steps = [] {
        std::vector<PictureStep> all = buildPictureSteps();
        addSliderSteps(all);
        addButtonSteps(all);
        return all;
    }();
    return steps;
}

ui::Form& window(PlenkApp& app, Window which) {
    switch (which) {
        case W::Main:
            return app.form<Main>();
        case W::Playlist:
            return app.form<Playlist>();
        case W::MediaLibrary:
            return app.form<MediaLibrary>();
        case W::Options:
            return app.form<Options>();
        case W::Data:
            break;
    }
    return app.form<DataForm>();
}

ui::Control* control(PlenkApp& app, const Target& target) {
    return window(app, target.window).findControl(target.control, target.index);
}

}  // namespace SkinTables
