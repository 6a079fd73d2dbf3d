#include "options/Options.h"
#include "options/OptionsPages.h"
#include "platform/system/RegistryWriter.h"

namespace {

constexpr ui::OleColor kDarkGrey = 0x404040;
constexpr ui::OleColor kWhite = 0xFFFFFF;
constexpr ui::OleColor kGrey = 0x808080;
constexpr ui::OleColor kLightGrey = 0xE0E0E0;

// One control of a page: where it stands in its container and its design text.
struct Place {
    ui::Control* control;
    float left, top, width, height;
    const char* text;
};

void setText(ui::Control& c, const QString& text) {
    if (auto* l = dynamic_cast<ui::Label*>(&c)) return l->setCaption(text);
    if (auto* b = dynamic_cast<ui::CheckBox*>(&c)) return b->setCaption(text);
    if (auto* o = dynamic_cast<ui::OptionButton*>(&c)) return o->setCaption(text);
    if (auto* f = dynamic_cast<ui::Frame*>(&c)) return f->setCaption(text);
    if (auto* k = dynamic_cast<ui::CommandButton*>(&c)) return k->setCaption(text);
    if (auto* t = dynamic_cast<ui::TextBox*>(&c)) return t->setText(text);
}

void lay(ui::Control& container, std::initializer_list<Place> places) {
    for (const Place& p : places) {
        p.control->setContainer(&container);
        p.control->Move(p.left, p.top, p.width, p.height);
        if (p.text) setText(*p.control, p.text);
    }
}

ui::FontSpec boldFont(float size, const char* name = "MS Sans Serif") {
    ui::FontSpec f;
    f.name = name;
    f.size = size;
    f.bold = true;
    return f;
}

// White bold text on dark grey: the column's heading and the page title.
void heading(ui::Label& label) {
    label.setFont(boldFont(9.75f));
    label.setForeColor(kWhite);
    label.setBackColor(kDarkGrey);
}

}  // namespace

Options::Options(ui::Application& app) : PlayerForm(app, "Options") {
    setBorderStyle(vbBSNone);
    setShowInTaskbar(false);
    setCaption("Options");
    Move(0, 0, 8835, 5895);
    designFrame();
    designPages();
    designGeneralPage();
    designPlaylistPage();
    designKeyboardPage();
    designVideoPage();
    designAssociationPage();
    designSkinPages();
    connectFrame();
    connectPages();
    connectSettings();
    keepDesign(SelectorSavedIndex);
    keepDesign(SelectorLoopIndex);
}

Options::~Options() = default;

void Options::designFrame() {
    TopImage.Move(0, 0, 8895, 280);
    TopImage.setStretch(true);
    CloseButton.Move(8040, 0, 330, 255);
    LinksFrame.Move(120, 360, 1815, 5055);
    LinksFrame.setBorderStyle(0);
    LinksFrame.setBackColor(kWhite);
    lay(LinksFrame, {{&Label7, 0, 0, 1815, 255, "Options"},
                     {&Label2, 120, 480, 1455, 255, "General settings"},
                     {&Label3, 120, 840, 1455, 255, "Playlist editor"},
                     {&Label15, 120, 1200, 1695, 255, "Audio"},
                     {&Label13, 120, 1560, 1455, 255, "Video"},
                     {&Label4, 120, 1920, 1455, 255, "File association"},
                     {&Label5, 120, 2280, 1455, 255, "Skins"},
                     {&Label6, 120, 2640, 1455, 255, "Language"},
                     {&Label25, 120, 3000, 1695, 255, "Keyboard shortcuts"},
                     {&Label8, 120, 3360, 1455, 255, "Info"}});
    heading(Label7);
    Label7.setAlignment(ui::Label::vbCenter);
    for (const OptionsPage& page : kOptionsPages) {
        ui::Label& link = this->*page.label;
        link.setFont(boldFont(8.25f));
        link.setForeColor(kDarkGrey);
        link.setBackStyle(0);
    }
    Line1.setContainer(&LinksFrame);
    Line1.setPoints(120, 360, 1560, 360);
    Line2.setContainer(&LinksFrame);
    Line2.setPoints(120, 3720, 1560, 3720);
    Line5.setPoints(2040, 5400, 2040, 360);
    Line5.setBorderColor(kGrey);
    Tlabel.Move(2160, 360, 6615, 255);
    Tlabel.setCaption("General");
    heading(Tlabel);
    Command1.Move(7080, 5400, 1455, 375);
    Command1.setCaption("Ok");
    Fr.Move(3600, 5520, 1335, 255);
    Fr.setCaption("0");
    Fr.setVisible(false);
    Label9.Move(120, 5520, 2655, 255);
    Label9.setFont(boldFont(9.75f, "Tahoma"));
    Label9.setCaption("Plenk Player");
}

void Options::designPages() {
    for (const OptionsPage& page : kOptionsPages) {
        ui::Frame& frame = this->*page.frame;
        frame.Move(2160, 600, 6615, 4815);
        frame.setBorderStyle(0);
        frame.setCaption(page.title);
    }
    lay(AudioFrame, {{&Frame6, 120, 120, 3000, 915, "Equalizer"}});
    lay(Frame6, {{&Option12, 120, 300, 2760, 255, "On"}, {&Option13, 120, 600, 2760, 255, "Off"}});
    Option12.setValue(true);
    lay(InfoFrame, {{&Readme, 120, 120, 6375, 4575, "Readme"}});
    Readme.setLocked(true);
}

void Options::designGeneralPage() {
    lay(GeneralFrame, {{&Check7, 120, 120, 4575, 255, "Show PlenkPlayer in System Tray"},
                       {&Check6, 120, 420, 4575, 255, "Check for updates"},
                       {&Check4, 120, 720, 4575, 255, "Add / open only supported files"},
                       {&Check2, 120, 1020, 4575, 255, "Allow running multiple player instances"},
                       {&Check1, 120, 1320, 4575, 255, "Show title in taskbar when minimized"},
                       {&Frame2, 120, 1980, 2400, 915, "Visualisations"},
                       // Heads both groups below it, not only the second.
                       {&Label1, 120, 1740, 6255, 255, "Graphic equalizer"},
                       {&Frame5, 2760, 1980, 3615, 1515, "Graphic equalizer type"}});
    for (ui::CheckBox* on : {&Check7, &Check6, &Check4, &Check2})
        on->setValue(1);
    lay(Frame2, {{&Option4, 120, 300, 2100, 255, "On"}, {&Option5, 120, 600, 2100, 255, "Off"}});
    Option4.setValue(true);
    lay(Frame5, {{&Option8, 120, 300, 3300, 255, "Spectrum analizer"},
                 {&Option9, 120, 570, 3300, 255, "Wave"},
                 {&Option10, 120, 840, 3300, 255, "Wave image"},
                 {&Option11, 120, 1110, 3300, 255, "Oscilloscope"}});
    Option8.setValue(true);
}

void Options::designPlaylistPage() {
    lay(PlaylistFrame,
        {{&Frame1, 120, 120, 3000, 1215, "Playback options"},
         {&Frame8, 3240, 120, 3255, 1215, "Size and colours"},
         {&Frame9, 120, 1440, 6375, 1215, "Title formating"},
         {&Check8, 120, 2820, 6375, 255, "Show standard scrollbar (for better performance)"}});
    lay(Frame1, {{&Option1, 120, 300, 2760, 255, "La rand din lista"},
                 {&Option2, 120, 600, 2760, 255, "Aleatoriu"},
                 {&Option3, 120, 900, 2760, 255, "Dupa preferintele tale"}});
    Option1.setValue(true);
    lay(Frame8, {{&Label42, 120, 340, 600, 255, "Size:"},
                 {&PlaylistFontSize, 720, 300, 975, 315, nullptr},
                 {&Check3, 120, 780, 1500, 255, "Bold"}});
    for (int size = 8; size <= 18; ++size)
        PlaylistFontSize.AddItem(QString::number(size));
    PlaylistFontSize.setText("8");
    lay(Frame9, {{&Option15, 120, 300, 6000, 255, "Show file name"},
                 {&Option18, 120, 600, 6000, 255, "Show IDTag: 'Artist - Song name'"},
                 {&Option19, 120, 900, 6000, 255, "Show IDTag: 'Song name - Artist'"}});
    Option15.setValue(true);
}

void Options::designKeyboardPage() {
    lay(KeyboardFrame, {{&Label29, 120, 120, 6375, 255,
                         "To change the shortcuts click on a text box and press a Key to assign"},
                        {&Label27, 120, 480, 2760, 255, "Command:"},
                        {&Label28, 3000, 480, 900, 255, "ASCI:"}});
    const std::pair<ui::Label*, const char*> actions[] = {
        {&Label26, "Jump to file"}, {&Label30, "Play"},
        {&Label31, "Pause"},        {&Label32, "Stop"},
        {&Label33, "Next song"},    {&Label34, "Previous song"},
        {&Label35, "Minimize"},     {&Label36, "Close Plenk Player"},
        {&Label37, "Volume UP"},    {&Label38, "Volume DOWN"}};
    for (int i = 0; i < 10; ++i) {
        const float top = 780 + 375 * i;
        ui::TextBox& code = AsciBox.add(i);
        ui::TextBox& key = AsciText.add(i);
        const auto [action, name] = actions[i];
        lay(KeyboardFrame, {{action, 120, top + 30, 2760, 255, name},
                            {&code, 3000, top, 900, 315, "0"},
                            {&key, 4020, top, 600, 315, "0"}});
        key.setEnabled(false);
        key.setLocked(true);
        key.setBackColor(kLightGrey);
        key.setFontBold(true);
    }
}

void Options::designVideoPage() {
    lay(VideoFrame, {{&Frame7, 120, 120, 6375, 1215, "Video aspect"},
                     {&Frame10, 120, 1440, 6375, 1335, "Subtitles"}});
    lay(Frame7, {{&Option14, 120, 300, 6000, 255, "Stretch video to window size"},
                 {&Option16, 120, 600, 6000, 255, "Original size"},
                 {&Option17, 120, 900, 6000, 255, "Original size x 2"}});
    Option14.setValue(true);
    lay(Frame10, {{&Label44, 120, 340, 600, 255, "Delay:"},
                  {&SubDelay, 720, 300, 1095, 315, "0"},
                  {&Label45, 1920, 340, 900, 255, "milisec"},
                  {&Check5, 120, 780, 4335, 255, "Show subtitles if available"},
                  {&Command3, 4800, 720, 1335, 375, "Apply now"}});
    Check5.setValue(1);
}

void Options::designAssociationPage() {
    lay(AssociationFrame,
        {{&Label14, 120, 120, 6375, 255,
          "Select witch file types will be opened with Plenk Player"},
         {&Label18, 120, 480, 2775, 255, "Audio             Video"},
         {&TpfAudio, 120, 720, 1335, 2595, nullptr},
         {&TpfVideo, 1560, 720, 1335, 2595, nullptr},
         {&Check17, 3120, 720, 3375, 255, "Associate with all audio files"},
         {&Check18, 3120, 1080, 3375, 255, "Associate with all video files"},
         {&Command2, 3120, 1560, 1695, 375, "Apply changes"},
         {&Label19, 120, 3480, 6375, 735,
          "Note: wma, cda, midi, mid, mpa, ac3, snd and rmi are not fully supported. When playing "
          "those types the equalizer is not available."},
         {&FAudio, 5040, 1560, 615, 255, nullptr},
         {&FVideo, 5760, 1560, 615, 255, nullptr}});
    Label19.setWordWrap(true);
    TpfAudio.setCheckBoxes(true);
    TpfVideo.setCheckBoxes(true);
    for (const char* type :
         {"mp3", "wav", "wma", "cda", "midi", "mid", "mpa", "ac3", "ogg", "snd", "rmi"})
        TpfAudio.AddItem(type);
    for (const char* type : {"mpg", "avi", "mov", "wmv", "mp2", "mpeg", "mpe", "asf", "dat", "divx",
                             "m2v", "vob", "mpv", "qt", "ogm", "mp4", "flv", "3gp"})
        TpfVideo.AddItem(type);
    FAudio.setVisible(false);
    FVideo.setVisible(false);
}

void Options::designSkinPages() {
    lay(SkinFrame, {{&Label12, 120, 120, 2760, 255, "Available skins:"},
                    {&SkinSelector, 120, 360, 2760, 2355, nullptr},
                    {&Label11, 3120, 120, 3375, 255, "Current skin name:"},
                    {&SkinName, 3120, 360, 3375, 315, "Default"},
                    {&Label10, 3120, 840, 3375, 735,
                     "A skin is a folder of pictures and a skin.ini under \"Skins\" in the "
                     "program folder."},
                    {&Frame3, 120, 2880, 6375, 1815, "Transparency"}});
    SkinName.setEnabled(false);
    SkinSelector.setMarksByCode(true);
    SkinSelector.setCheckBoxes(true);
    Label10.setWordWrap(true);
    lay(Frame3,
        {{&Option6, 120, 300, 1335, 255, "Enabled"},
         {&Option7, 1560, 300, 1335, 255, "Disabled"},
         {&Slider1, 120, 600, 6135, 435, nullptr},
         {&Label16, 120, 1050, 6135, 255, "0 -----------25----------50---------75----------100"},
         {&Label17, 120, 1380, 6135, 255,
          "This is a BETA version. Those options are not available..."}});
    Option7.setValue(true);
    Slider1.setRange(0, 100);
    lay(LanguageFrame, {{&LanguageSelector, 120, 120, 2760, 1215, nullptr}});
    LanguageSelector.setMarksByCode(true);
    LanguageSelector.setCheckBoxes(true);
    LanguageSelector.AddItem("English");
    LanguageSelector.AddItem("Romana");
}
