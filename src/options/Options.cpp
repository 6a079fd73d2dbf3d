#include "options/Options.h"

#include "controls/modSysTray.h"
#include "core/frmBass.h"
#include "persistence/modAssociate.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "shared/ProgramFolder.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"

namespace {

void group(ui::Frame& frame,
           std::initializer_list<std::pair<ui::OptionButton*, const char*>> buttons) {
    float top = 240;
    for (auto [button, caption] : buttons) {
        button->setContainer(&frame);
        button->Move(120, top, 3000, 255);
        button->setCaption(caption);
        top += 300;
    }
    buttons.begin()->first->setValue(true);
}

}  // namespace

Options::Options(ui::Application& app) : PlayerForm(app, "Options") {
    setBorderStyle(vbBSNone);
    setCaption("Options");
    Move(2000, 2000, 8895, 5985);
    designPages();
    designGroups();
    designChecks();
    designLists();
    Command2.setContainer(&AssociationFrame);
    Command2.setCaption("Apply changes");
    Command2.Click.connect([this] { Command2_Click(); });
    connectActions();
}

ClsPl& Options::playlistOps() {
    if (!PlaylistOps) PlaylistOps = std::make_unique<ClsPl>(app());
    return *PlaylistOps;
}

void Options::connectActions() {
    for (ui::OptionButton* b : {&Option1, &Option2, &Option3})
        b->Click.connect([this] { PlayOrder_Click(); });
    for (ui::OptionButton* b : {&Option8, &Option9, &Option10, &Option11})
        b->Click.connect([this] { SpectrumType_Click(); });
    for (ui::OptionButton* b : {&Option12, &Option13})
        b->Click.connect([this] { Equalizer_Click(); });
    Option14.Click.connect([this] { VideoSize_Click(14); });
    Option16.Click.connect([this] { VideoSize_Click(16); });
    Option17.Click.connect([this] { VideoSize_Click(17); });
    Option15.Click.connect([this] { TitleFormat_Click(15); });
    Option18.Click.connect([this] { TitleFormat_Click(18); });
    Option19.Click.connect([this] { TitleFormat_Click(19); });
    Check3.Click.connect([this] { Check3_Click(); });
    Check7.Click.connect([this] { Check7_Click(); });
    Check8.Click.connect([this] { Check8_Click(); });
    Check17.Click.connect([this] { AssociateAll_Click(Check17, TpfAudio); });
    Check18.Click.connect([this] { AssociateAll_Click(Check18, TpfVideo); });
    PlaylistFontSize.Click.connect([this] { PlaylistFontSize_Click(); });
    Slider1.Change.connect([this] { Slider1_Change(); });
}

void Options::PlayOrder_Click() {
    FormMeniuri& menus = form<FormMeniuri>();
    menus.MeniuLaRand.setChecked(Option1.Value());
    menus.MeniuAleatoriu.setChecked(Option2.Value());
    menus.MeniuPreferinte.setChecked(Option3.Value());
    menus.ShuffleOfMenu.setChecked(Option1.Value());
    menus.ShuffleOnMenu.setChecked(Option2.Value());
    menus.PlayTheBestMenu.setChecked(Option3.Value());
}

void Options::SpectrumType_Click() {
    form<frmBass>().ChangeSpectrumMode();
}

void Options::Equalizer_Click() {
    form<Main>().OnOffEq();
}

void Options::VideoSize_Click(int option) {
    Main& m = form<Main>();
    if (m.LbActualCx(0).Caption() != "-1") {
        m.AdjustVideo();
        m.ResizeArea.setVisible(option == 14);
    }
    FormMeniuri& menus = form<FormMeniuri>();
    menus.StretchMenu.setChecked(option == 14);
    menus.OriginalSizeMenu.setChecked(option == 16);
    menus.OriginalSize2Menu.setChecked(option == 17);
    if (option != 14) return;
    // The window's own minimum size brings it back to its smallest layout.
    m.setHeight(0);
    m.setWidth(0);
    m.AdjustVideo();
}

void Options::TitleFormat_Click(int option) {
    if (option != 15) return playlistOps().FileNameToID3();
    Playlist& list = form<Playlist>();
    list.PicList.Clear();
    playlistOps().ListNoChar(list.PicList, form<DataForm>().ListaCale);
    playlistOps().SetJumpList();
}

void Options::Check3_Click() {
    form<Playlist>().PicList.setFontBold(Check3.Value() == 1);
}

// The icon is always added under the main window's one identifier.
void Options::Check7_Click() {
    Main& m = form<Main>();
    if (Check7.Value() == 1) return ui::step([&] { m.addTrayIcon(); });
    ui::step([&] { modSysTray::RemoveTrayIcon(app(), m.trayId()); });
}

void Options::Check8_Click() {
    Playlist& list = form<Playlist>();
    list.ScrollBar.setVisible(Check8.Value() != 1);
    list.FrameScroll.setVisible(Check8.Value() != 1);
}

void Options::AssociateAll_Click(ui::CheckBox& all, ui::ListBox& types) {
    if (all.Value() == 2) return;
    for (int i = 0; i < types.ListCount(); ++i)
        types.setSelected(i, all.Value() == 1);
}

void Options::PlaylistFontSize_Click() {
    Playlist& list = form<Playlist>();
    try {
        list.PicList.setFontSize(static_cast<float>(shared::toDouble(PlaylistFontSize.Text())));
    } catch (const ui::RuntimeError&) {
        list.PicList.setFontSize(8);
    }
    list.ResizePlaylist();
}

void Options::Slider1_Change() {
    (Slider1.Value() == 100 ? Option7 : Option6).setValue(true);
}

namespace {

template <std::size_t N>
void applyTypes(modAssociate& assoc, ui::ListBox& choices,
                const std::array<modAssociate::FileType, N>& types, const QString& icon) {
    for (std::size_t i = 0; i < N; ++i) {
        const auto& t = types[i];
        if (choices.Selected(static_cast<int>(i)))
            assoc.CreateAssociation(t.identifier, t.extension, t.description, icon, "");
        else
            assoc.RemoveAssociation(t.identifier, t.extension);
    }
}

}  // namespace

void Options::Command2_Click() {
    modAssociate& assoc = app().module<modAssociate>();
    DataForm& d = form<DataForm>();
    applyTypes(assoc, TpfAudio, modAssociate::kAudioTypes, d.programFile("\\audio.ico"));
    applyTypes(assoc, TpfVideo, modAssociate::kVideoTypes, d.programFile("\\video.ico"));
    assoc.NotifyAssociationChanged();
}

void Options::designPages() {
    for (ui::Frame* page : {&GeneralFrame, &PlaylistFrame, &KeyboardFrame, &AudioFrame, &VideoFrame,
                            &SkinFrame, &AssociationFrame}) {
        page->Move(2160, 600, 6615, 4815);
        page->setBorderStyle(0);
    }
    Fr.Move(3600, 5520, 1335, 255);
    Fr.setVisible(false);
    Fr.setCaption("0");
}

void Options::designGroups() {
    group(Frame1, {{&Option1, "La rand din lista"},
                   {&Option2, "Aleatoriu"},
                   {&Option3, "Dupa preferintele tale"}});
    group(Frame2, {{&Option4, "On"}, {&Option5, "Off"}});
    group(Frame3, {{&Option7, "Disabled"}, {&Option6, "Enabled"}});
    group(Frame5, {{&Option8, "Spectrum analizer"},
                   {&Option9, "Wave"},
                   {&Option10, "Wave image"},
                   {&Option11, "Oscilloscope"}});
    group(Frame6, {{&Option12, "On"}, {&Option13, "Off"}});
    group(Frame7, {{&Option14, "Stretch video to window size"},
                   {&Option16, "Original size"},
                   {&Option17, "Original size x 2"}});
    group(Frame9, {{&Option15, "Show file name"},
                   {&Option18, "Show IDTag: 'Artist - Song name'"},
                   {&Option19, "Show IDTag: 'Song name - Artist'"}});
    for (ui::Frame* f : {&Frame2, &Frame5})
        f->setContainer(&GeneralFrame);
    for (ui::Frame* f : {&Frame1, &Frame9})
        f->setContainer(&PlaylistFrame);
    Frame3.setContainer(&SkinFrame);
    Frame6.setContainer(&AudioFrame);
    Frame7.setContainer(&VideoFrame);
    Slider1.setContainer(&Frame3);
    Slider1.setRange(0, 100);
}

void Options::designChecks() {
    const std::pair<ui::CheckBox*, const char*> general[] = {
        {&Check7, "Show PlenkPlayer in System Tray"},
        {&Check6, "Check for updates"},
        {&Check4, "Add / open only supported files"},
        {&Check2, "Allow running multiple player instances"},
        {&Check1, "Show title in taskbar when minimized"},
    };
    float top = 2400;
    for (auto [box, caption] : general) {
        box->setContainer(&GeneralFrame);
        box->Move(120, top, 4000, 255);
        box->setCaption(caption);
        top += 300;
    }
    for (ui::CheckBox* on : {&Check7, &Check6, &Check4, &Check2})
        on->setValue(1);
    Check3.setCaption("Bold");
    Check8.setCaption("Show standard scrollbar (for better performance)");
    for (ui::CheckBox* box : {&Check3, &Check8})
        box->setContainer(&PlaylistFrame);
    Check5.setContainer(&VideoFrame);
    for (ui::CheckBox* box : {&Check17, &Check18})
        box->setContainer(&AssociationFrame);
}

void Options::designLists() {
    for (int size = 8; size <= 18; ++size)
        PlaylistFontSize.AddItem(QString::number(size));
    PlaylistFontSize.setText("8");
    PlaylistFontSize.setContainer(&PlaylistFrame);
    for (int i = 0; i < 10; ++i) {
        ui::TextBox& code = AsciBox.add(i);
        ui::TextBox& key = AsciText.add(i);
        code.setContainer(&KeyboardFrame);
        key.setContainer(&KeyboardFrame);
        code.Move(3000, 240 + 360 * i, 900, 315);
        key.Move(4000, 240 + 360 * i, 600, 315);
        code.setText("0");
        key.setText("0");
        key.setEnabled(false);
        key.setLocked(true);
        key.setBackColor(0xE0E0E0);
        key.setFontBold(true);
    }
    for (const char* type :
         {"mp3", "wav", "wma", "cda", "midi", "mid", "mpa", "ac3", "ogg", "snd", "rmi"})
        TpfAudio.AddItem(type);
    for (const char* type : {"mpg", "avi", "mov", "wmv", "mp2", "mpeg", "mpe", "asf", "dat", "divx",
                             "m2v", "vob", "mpv", "qt", "ogm", "mp4", "flv", "3gp"})
        TpfVideo.AddItem(type);
    for (ui::Control* c :
         std::initializer_list<ui::Control*>{&TpfAudio, &TpfVideo, &FAudio, &FVideo})
        c->setContainer(&AssociationFrame);
    FAudio.setVisible(false);
    FVideo.setVisible(false);
    SkinName.setText("Default");
    LanguageSelector.AddItem("English");
    LanguageSelector.AddItem("Romana");
    for (ui::Control* c :
         std::initializer_list<ui::Control*>{&SkinName, &SkinSelector, &LanguageSelector})
        c->setContainer(&SkinFrame);
    SubDelay.setContainer(&VideoFrame);
    SubDelay.setText("0");
}
