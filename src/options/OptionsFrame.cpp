#include <QFile>
#include <QFileInfo>

#include "controls/mdlSmooth.h"
#include "options/Options.h"
#include "options/OptionsPages.h"
#include "persistence/KeyShortcut.h"
#include "platform/files/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/RuntimeError.h"
#include "platform/ui/WindowMessages.h"
#include "shared/DataForm.h"
#include "shared/TextCodec.h"
#include "shared/WindowDrag.h"

namespace {

constexpr int vbModal = 1;

constexpr ui::OleColor kLabelColour = 0x404040;
constexpr ui::OleColor kHoverColour = 0xC00000;

void setUnderline(ui::Label& label, bool on) {
    ui::FontSpec f = label.Font();
    f.underline = on;
    label.setFont(f);
}

// The text of a file: each line is read as UTF-8 when it is valid UTF-8 and
// as Windows-1252 otherwise; line ends stay as they are.
QString decodeText(const QByteArray& bytes) {
    QString text;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        text += shared::decodeLine(QByteArrayView(bytes).sliced(start, end - start), start == 0);
        qsizetype next = end;
        if (next < bytes.size() && bytes[next] == '\r') ++next;
        if (next < bytes.size() && bytes[next] == '\n') ++next;
        text += QString::fromLatin1(bytes.sliced(end, next - end));
        start = next;
    }
    return text;
}

}  // namespace

void Options::connectFrame() {
    for (const OptionsPage& page : kOptionsPages) {
        ui::Label& label = this->*page.label;
        label.Click.connect([this, click = page.click] { (this->*click)(); });
        label.MouseMove.connect(
            [this, &label](int, int, float, float) { PageLabel_MouseMove(label); });
    }
    LinksFrame.MouseMove.connect([this](int, int, float, float) { LinksFrame_MouseMove(); });
    CloseButton.MouseMove.connect([this](int, int, float, float) { CloseButton_MouseMove(); });
    for (ui::Control* c : std::initializer_list<ui::Control*>{&Tlabel, &TopImage})
        c->MouseMove.connect([this](int, int, float, float) { closeHover(false); });
    Tlabel.MouseDown.connect([this](int, int, float, float) { Tlabel_MouseDown(); });
    TopImage.MouseDown.connect([this](int, int, float, float) { TopImage_MouseDown(); });
    Command1.Click.connect([this] { Command1_Click(); });
    CloseButton.Click.connect([this] { CloseButton_Click(); });
}

void Options::Open(const QString& page) {
    if (!page.isEmpty()) Fr.setCaption(page);
    Show(vbModal);
}

void Options::openPage(int index) {
    const OptionsPage& page = kOptionsPages[index];
    Tlabel.setCaption((this->*page.frame).Caption());
    for (const OptionsPage& p : kOptionsPages)
        (this->*p.frame).setVisible(&p == &page);
    for (const OptionsPage& p : kOptionsPages)
        setUnderline(this->*p.label, &p == &page);
    Fr.setCaption(page.name);
    // A missing or unreadable file leaves the text read last.
    if (index == kInfoPage)
        ui::step([&] { Readme.setText(FileText(form<DataForm>().programFile("\\readme.txt"))); });
}

void Options::Label2_Click() {
    openPage(0);
}
void Options::Label3_Click() {
    openPage(1);
}
void Options::Label15_Click() {
    openPage(2);
}
void Options::Label13_Click() {
    openPage(3);
}
void Options::Label4_Click() {
    openPage(4);
}
void Options::Label5_Click() {
    openPage(5);
}
void Options::Label6_Click() {
    openPage(6);
}
void Options::Label25_Click() {
    openPage(7);
}
void Options::Label8_Click() {
    openPage(kInfoPage);
}

// Fr names at most one page, matched exactly; another text keeps the page
// shown last.
void Options::Form_Activate() {
    const QString name = Fr.Caption();
    for (int i = 0; i < static_cast<int>(std::size(kOptionsPages)); ++i)
        if (name == kOptionsPages[i].name) openPage(i);
    TopImage.setPicture(form<DataForm>().MeniuHover.picture());
}

// Centred once; the window is only ever hidden afterwards, so it reappears
// where it was left.
void Options::Form_Load() {
    ui::step([&] { GetSubDirs(form<DataForm>().programFile("\\Skins")); });
    ui::step([&] { Label2_Click(); });
    Move((app().screenWidth() - Width()) / 2, (app().screenHeight() - Height()) / 2);
    ui::step([&] { mdlSmooth::RoundWindow(*this, 11); });
}

// The desktop's close hides the window without saving; the window stays loaded.
void Options::Form_QueryUnload(int& Cancel, int UnloadMode) {
    if (UnloadMode != vbFormControlMenu) return;
    Cancel = 1;
    Hide();
}

void Options::PageLabel_MouseMove(ui::Label& label) {
    for (const OptionsPage& p : kOptionsPages)
        (this->*p.label).setForeColor(kLabelColour);
    label.setForeColor(kHoverColour);
}

void Options::LinksFrame_MouseMove() {
    for (const OptionsPage& p : kOptionsPages)
        (this->*p.label).setForeColor(kLabelColour);
}

void Options::closeHover(bool focus) {
    DataForm& d = form<DataForm>();
    CloseButton.setPicture((focus ? d.CloseFocus : d.CloseNormal).picture());
}

void Options::CloseButton_MouseMove() {
    closeHover(true);
}

void Options::Form_MouseMove(int, int, float, float) {
    closeHover(false);
}

void Options::Form_MouseDown(int, int, float, float) {
    FormMove(*this);
}

void Options::Tlabel_MouseDown() {
    FormMove(*this);
}

void Options::TopImage_MouseDown() {
    FormMove(*this);
}

void Options::FormMove(ui::Form& frm) {
    handDragToSystem(frm, ui::HTCAPTION);
}

void Options::Command1_Click() {
    Hide();
    controller().SalveazaSetari();
    app().module<KeyShortcut>().SaveKeyboardSettings();
}

void Options::CloseButton_Click() {
    Command1_Click();
}

QString Options::FileText(const QString& path) const {
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile()) throw ui::RuntimeError(ui::kFileNotFound);
    if (!files::openRegularFile(file, QIODevice::ReadOnly))
        throw ui::RuntimeError(ui::kPathFileAccess);
    return decodeText(file.readAll());
}
