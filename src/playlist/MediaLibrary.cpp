#include "playlist/MediaLibrary.h"

#include "controls/mdlSmooth.h"
#include "core/Id3Module.h"
#include "playlist/Top10.h"

namespace {

// The ID3v1 genres by genre byte, with the common extensions (0 to 147).
const char* const kGenreNames =
    "Blues|Classic Rock|Country|Dance|Disco|Funk|Grunge|Hip-Hop|Jazz|Metal|New Age|Oldies|"
    "Other|Pop|R&B|Rap|Reggae|Rock|Techno|Industrial|Alternative|Ska|Death Metal|Pranks|"
    "Soundtrack|Euro-Techno|Ambient|Trip-Hop|Vocal|Jazz+Funk|Fusion|Trance|Classical|"
    "Instrumental|Acid|House|Game|Sound Clip|Gospel|Noise|AlternRock|Bass|Soul|Punk|Space|"
    "Meditative|Instrumental Pop|Instrumental Rock|Ethnic|Gothic|Darkwave|Techno-Industrial|"
    "Electronic|Pop-Folk|Eurodance|Dream|Southern Rock|Comedy|Cult|Gangsta|Top 40|"
    "Christian Rap|Pop/Funk|Jungle|Native American|Cabaret|New Wave|Psychadelic|Rave|"
    "Showtunes|Trailer|Lo-Fi|Tribal|Acid Punk|Acid Jazz|Polka|Retro|Musical|Rock & Roll|"
    "Hard Rock|Folk|Folk-Rock|National Folk|Swing|Fast Fusion|Bebob|Latin|Revival|Celtic|"
    "Bluegrass|Avantgarde|Gothic Rock|Progressive Rock|Psychedelic Rock|Symphonic Rock|"
    "Slow Rock|Big Band|Chorus|Easy Listening|Acoustic|Humour|Speech|Chanson|Opera|"
    "Chamber Music|Sonata|Symphony|Booty Bass|Primus|Porn Groove|Satire|Slow Jam|Club|Tango|"
    "Samba|Folklore|Ballad|Power Ballad|Rhythmic Soul|Freestyle|Duet|Punk Rock|Drum Solo|"
    "A capella|Euro-House|Dance Hall|Goa|Drum & Bass|Club-House|Hardcore|Terror|Indie|"
    "BritPop|Afro-Punk|Polsk Punk|Beat|Christian Gangsta Rap|Heavy Metal|Black Metal|"
    "Crossover|Contemporary Christian|Christian Rock|Merengue|Salsa|Thrash Metal|Anime|JPop|"
    "Synthpop";

constexpr ui::OleColor kPageBack = 0x404040;
constexpr ui::OleColor kWhite = 0xFFFFFF;
constexpr ui::OleColor kGrey = 0x808080;
constexpr float kGrip = 195;

void caption(ui::Label& label, ui::Frame& page, float left, float top, float width,
             const QString& text) {
    label.setContainer(&page);
    label.Move(left, top, width, 255);
    label.setCaption(text);
}

}  // namespace

MediaLibrary::MediaLibrary(ui::Application& app) : PlayerForm(app, "MediaLibrary") {
    setBorderStyle(vbBSNone);
    setShowInTaskbar(false);
    setCaption("Media Library");
    Move(6700, 500, 7725, 5025);
    designPages();
    designEditor();
    designReadouts();
    designTopPage();
    designFurniture();
    connectEvents();
}

void MediaLibrary::Form_Load() {
    Id3Module& id3 = app().module<Id3Module>();
    if (id3.GenreNames.isEmpty()) id3.GenreNames = QString(kGenreNames).split(u'|');
    for (const QString& genre : id3.GenreNames)
        Combo1T.AddItem(genre);
    layoutEdges();
    mdlSmooth::RoundWindow(*this, 11);
}

void MediaLibrary::Form_Resize() {
    // Each correction resizes the window, which lays it out again; below the
    // least size the edges would get negative lengths.
    if (Width() < 6100) return setWidth(6100);
    if (Height() < 3530) return setHeight(3530);
    mdlSmooth::RoundWindow(*this, 9);
    layoutEdges();
}

void MediaLibrary::TimerClasament_Timer() {
    app().module<Top10>().SortTopStep();
}

void MediaLibrary::designFurniture() {
    ImgTopLeft.Move(0, 0, 1500, 285);
    ImgTopCenter.Move(1440, 0, 0, 285);
    ImgTopRight.Move(0, 0, 1500, 285);
    ImgLeft.Move(0, 150, 165, 0);
    ImgRight.Move(0, 150, 165, 0);
    ImgBottomLeft.Move(0, 0, 1500, 165);
    ImgBottomCenter.Move(1440, 0, 0, 165);
    ImgBottomRight.Move(0, 0, 1500, 165);
    for (ui::Image* edge : {&ImgTopCenter, &ImgLeft, &ImgRight, &ImgBottomCenter})
        edge->setStretch(true);
    // Four pixels down, so its descenders stay on the 19-pixel top edge.
    Label7.Move(240, 60, 4455, 255);
    Label7.setCaption("Plenk Player - Intelligent playback");
    Label7.setFont({"MS Sans Serif", 9.75f, true});
    Label7.setBackStyle(0);
    Label7.setForeColor(kWhite);
    CloseButton.Move(0, 0, 330, 255);
    ResizeArea.Move(0, 0, kGrip, kGrip);
    layoutEdges();
    ResizeArea.setBorderStyle(0);
    ResizeArea.setAutoRedraw(true);
    paintGrip();
}

// Three short diagonal strokes in the corner, where the designs show the
// size-grip glyph.
void MediaLibrary::paintGrip() {
    ResizeArea.setBackColor(BackColor());
    ResizeArea.Cls();
    for (float from : {45.0f, 90.0f, 135.0f})
        ResizeArea.Line(from, kGrip - 15, kGrip - 15, from, 0xC0C0C0);
}

void MediaLibrary::layoutEdges() {
    const float w = Width();
    const float h = Height();
    ResizeArea.Move(w - kGrip, h - kGrip);
    ImgLeft.setHeight(h - 300);
    ImgRight.setHeight(h - 300);
    ImgRight.setLeft(w - 180);
    ImgTopCenter.setWidth(w - 2800);
    ImgTopRight.setLeft(w - 1500);
    ImgBottomLeft.setTop(h - 180);
    ImgBottomCenter.setTop(h - 180);
    ImgBottomCenter.setWidth(w - 2800);
    ImgBottomRight.setTop(h - 180);
    ImgBottomRight.setLeft(w - 1500);
    FrameLibrary.setHeight(h - 650);
    FrameLibrary.setWidth(w - 250);
    CloseButton.setLeft(w - 750);
}

void MediaLibrary::designPages() {
    const std::pair<ui::Frame*, const char*> pages[] = {
        {&FrameIDTag, "Mpeg file info - ID3 Tag v.1"},
        {&FrameLibrary, "Media Library"},
        {&FrameTop10, "Plenk Top 10"}};
    for (auto [page, text] : pages) {
        page->Move(120, 480, 7455, 4335);
        page->setBorderStyle(0);
        page->setBackColor(kPageBack);
        page->setCaption(text);
    }
    FrameIDTag.setVisible(false);
    FrameTop10.setVisible(false);
}

void MediaLibrary::designEditor() {
    caption(Label8, FrameIDTag, 120, 0, 2415, "ID3 Tag v.1");
    const std::tuple<ui::Label*, const char*, ui::TextBox*> rows[] = {
        {&Label1, "Title", &Text1T},
        {&Label2, "Artist", &Text2T},
        {&Label3, "Album", &Text3T},
        {&Label4, "Year", &Text4T},
        {&Label5, "Comments", &Text5T}};
    float top = 360;
    for (auto [label, text, box] : rows) {
        caption(*label, FrameIDTag, 120, top, 735, text);
        box->setContainer(&FrameIDTag);
        box->Move(900, top, 2895, 285);
        top += 360;
    }
    caption(Label6, FrameIDTag, 120, 2160, 735, "Genre");
    Combo1T.setContainer(&FrameIDTag);
    Combo1T.Move(915, 2160, 1935, 315);
    Command6.setContainer(&FrameIDTag);
    Command6.Move(1680, 2640, 1335, 375);
    Command6.setCaption("Save");
    caption(Label14, FrameIDTag, 120, 3480, 735, "Path:");
    caption(ID3Path, FrameIDTag, 840, 3480, 6375, "C:\\");
    ID3Path.setHeight(495);
    ID3Path.setWordWrap(true);
}

void MediaLibrary::designReadouts() {
    caption(Label13, FrameIDTag, 4080, 0, 2415, "Video");
    const std::tuple<ui::Label*, const char*, ui::Label*, float> rows[] = {
        {&TotalFramesL, "Total frames:", &LbTotalFrames.add(0), 360},
        {&Label15, "Total time:", &LbTotalTime.add(0), 600},
        {&Label16, "FPS:", &LbFramesPerSecond.add(0), 840},
        {&Label17, "Current time:", &LbCurrentTime.add(0), 1080}};
    for (auto [label, text, value, top] : rows) {
        caption(*label, FrameIDTag, 4080, top, 1155, text);
        caption(*value, FrameIDTag, 5280, top, 1935, "0");
    }
    const std::tuple<ui::Label*, const char*, ui::Label*, float> flags[] = {
        {&Label11, "CRC:", &labCRC, 1680},
        {&Label18, "Copyrighted:", &labCopy, 1920},
        {&Label19, "Original:", &labOriginal, 2160},
        {&Label20, "Emphasis:", &labEmphasis, 2400}};
    for (auto [label, text, value, top] : flags) {
        caption(*label, FrameIDTag, 4080, top, 1035, text);
        caption(*value, FrameIDTag, 5160, top, 2055, "");
    }
}

void MediaLibrary::designTopPage() {
    caption(Label9, FrameTop10, 120, 0, 735, "TOP");
    caption(Label10, FrameTop10, 840, 0, 735, "20");
    for (ui::Label* heading : {&Label9, &Label10}) {
        heading->setHeight(375);
        heading->setFont({"MS Sans Serif", 13.5f, true});
    }
    Label10.setForeColor(0x0000FF);
    caption(Label12, FrameTop10, 4920, 120, 2415, "Plenk Player Rankings");
    for (int i = 0; i < 20; ++i) {
        const bool left = i < 10;
        const float top = 480 + 240 * (i % 10);
        ui::Label& rank = TopLabel.add(i);
        caption(rank, FrameTop10, left ? (i == 9 ? 0 : 120) : 3720, top, 255,
                QString("%1.").arg(i + 1));
        rank.setFontBold(true);
        rank.setForeColor(0xE0E0E0);
        ui::Label& song = Song.add(i);
        caption(song, FrameTop10, left ? 360 : 4080, top, 2895, "");
        song.setHeight(230);
        song.setForeColor(kWhite);
        // A title shows every "&" it has.
        song.setUseMnemonic(false);
        ui::Label& count = CountPlayed.add(i);
        caption(count, FrameTop10, left ? 3360 : 7080, top, 255, "0");
        count.setForeColor(kGrey);
        // Light texts: the dark page shows through the rows.
        for (ui::Label* l : {&rank, &song, &count})
            l->setBackStyle(0);
    }
    // Grey rules under the first nine rows of each column.
    for (int i = 0; i < 18; ++i) {
        const bool left = i < 9;
        const float y = 480 + 240 * (i % 9 + 1) - 8;
        ui::Line& rule = TopLine.add(i);
        rule.setContainer(&FrameTop10);
        rule.setPoints(left ? 120 : 3720, y, left ? 3615 : 7335, y);
        rule.setBorderColor(kGrey);
    }
    ListaAsteptare.setContainer(&FrameTop10);
    ListaAsteptare.setVisible(false);
    TimerClasament.setInterval(100);
    TimerClasament.setEnabled(false);
}

// Without their padding, so that typed text starts at a field's start and fits
// its width on save (which pads it again).
void MediaLibrary::showTag(const Id3v1Tag& tag) {
    ui::step([&] { Text1T.setText(tag.Title.withoutPadding()); });
    ui::step([&] { Text2T.setText(tag.Artist.withoutPadding()); });
    ui::step([&] { Text3T.setText(tag.Album.withoutPadding()); });
    ui::step([&] { Text4T.setText(tag.Year.withoutPadding()); });
    ui::step([&] { Text5T.setText(tag.Comment.withoutPadding()); });
    // A genre byte with no row (255 means none) clears the box, so the
    // editor never shows an earlier file's genre under this one.
    const int genre = tag.Genre < Combo1T.ListCount() ? tag.Genre : -1;
    ui::step([&] { Combo1T.setListIndex(genre); });
}

void MediaLibrary::readTag(const QString& path) {
    Id3Module& id3 = app().module<Id3Module>();
    id3.ReadId3v1Tag(path);
    showTag(id3.Tag);
}
