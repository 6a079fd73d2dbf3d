#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QWidget>

#include "options/FormPreset.h"
#include "shared/NumberText.h"
#include "support/FileLimits.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

using testsupport::PlayerFixture;
using testsupport::readLines;
using Use = FormPreset::Use;

namespace {

struct Record {
    QString name;
    QStringList values;
};

QStringList bands(std::initializer_list<int> v) {
    QStringList out;
    for (int x : v)
        out << QString::number(x);
    return out;
}

QStringList flat(int value) {
    return QStringList(10, QString::number(value));
}

QByteArray fileOf(const std::vector<Record>& records) {
    QByteArray bytes;
    for (const Record& r : records)
        for (const QString& line : QStringList{r.name} + r.values)
            bytes += line.toUtf8() + "\r\n";
    return bytes;
}

class PresetTest : public ::testing::Test {
  protected:
    PresetTest() : p(testsupport::notStarted()) {}

    QString file() const { return p.program.file("eqpreset.ini"); }
    void writeFile(const QByteArray& bytes) { p.program.write("eqpreset.ini", bytes); }
    FormPreset& win() { return p.form<FormPreset>(); }
    bool open() { return p.app->isLoaded<FormPreset>(); }
    ctlScrollbar& band(int b) { return p.form<Main>().sldEQR(b); }
    int messages() const { return p.dialogs->count("MsgBox"); }

    // The menu item's code, then what follows it: the window's activation.
    void openFor(Use use) {
        p.start();
        p.form<FormPreset>().Open(use);
        QCoreApplication::processEvents();
    }
    void setBands(std::initializer_list<double> values) {
        int b = 0;
        for (double v : values)
            band(b++).setValue(v);
    }
    std::vector<double> bandValues() {
        std::vector<double> out;
        for (int b = 0; b < 10; ++b)
            out.push_back(band(b).value());
        return out;
    }
    void choose(int entry) { win().ListaPreset.setListIndex(entry); }
    QStringList listed() { return win().ListaPreset.items(); }

    PlayerFixture p;
};

std::vector<double> all(double v) {
    return std::vector<double>(10, v);
}

TEST_F(PresetTest, DesignStateAndUnloadReturnsToIt) {
    openFor(Use::Loading);
    FormPreset& w = win();
    EXPECT_EQ(w.Caption(), "Load Equalizer Preset");
    EXPECT_EQ(w.Width(), 4320);
    EXPECT_EQ(w.Height(), 4410);
    struct Row {
        ui::Control* c;
        float l, t, wd, h;
        bool visible, enabled;
    };
    for (const Row& r : {Row{&w.ListaPreset, 120, 120, 4095, 3570, true, true},
                         Row{&w.NumePreset, 120, 3480, 4095, 375, false, true},
                         Row{&w.DelButton, 120, 3960, 1335, 375, false, false},
                         Row{&w.Command1, 1560, 3960, 1335, 375, true, true},
                         Row{&w.Command2, 3000, 3960, 1215, 375, true, true}}) {
        EXPECT_EQ(r.c->Left(), r.l) << r.c->Name().toStdString();
        EXPECT_EQ(r.c->Top(), r.t) << r.c->Name().toStdString();
        EXPECT_EQ(r.c->Width(), r.wd) << r.c->Name().toStdString();
        EXPECT_EQ(r.c->Height(), r.h) << r.c->Name().toStdString();
        EXPECT_EQ(r.c->Visible(), r.visible) << r.c->Name().toStdString();
        EXPECT_EQ(r.c->Enabled(), r.enabled) << r.c->Name().toStdString();
    }
    EXPECT_FALSE(w.ValoriPreset.Visible());
    EXPECT_EQ(w.NumePreset.Text(), "Preset1");
    EXPECT_EQ(w.DelButton.Caption(), "Delete");
    EXPECT_EQ(w.Command1.Caption(), "Ok");
    EXPECT_EQ(w.Command2.Caption(), "Cancel");
    EXPECT_TRUE(w.Visible());
    EXPECT_EQ(p.dialogs->count("Modal"), 0) << "modeless: the main window stays usable";

    // Tab order by tab index; the name box lies over the list.
    const QList<ui::Control*> order{&w.NumePreset,   &w.Command1,  &w.ListaPreset,
                                    &w.ValoriPreset, &w.DelButton, &w.Command2};
    for (int i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->widget()->nextInFocusChain();
        while (next && next->parentWidget() != order[i + 1]->widget()->parentWidget() &&
               next != order[i + 1]->widget())
            next = next->nextInFocusChain();
        EXPECT_EQ(next, order[i + 1]->widget()) << i;
    }
    const QObjectList stack = w.ListaPreset.widget()->parentWidget()->children();
    EXPECT_GT(stack.indexOf(w.NumePreset.widget()), stack.indexOf(w.ListaPreset.widget()));

    w.Open(Use::Saving);
    w.Open(Use::Deleting);
    w.Command2_Click();
    EXPECT_FALSE(open());
    EXPECT_FALSE(w.NumePreset.Visible());
    EXPECT_FALSE(w.DelButton.Visible());
    EXPECT_EQ(w.PresetLineIndex, 0);
}

TEST_F(PresetTest, NoFileListsNothingAndSavingWritesOneRecord) {
    for (QChar separator : {QChar('.'), QChar(',')}) {
        shared::ScopedDecimalSeparator locale(separator);
        QFile::remove(file());
        openFor(Use::Saving);
        EXPECT_EQ(win().ListaPreset.ListCount(), 0);
        EXPECT_EQ(win().Caption(), "Save Preset");
        EXPECT_EQ(win().NumePreset.SelStart(), 0);
        EXPECT_EQ(win().NumePreset.SelLength(), 7) << "\"Preset1\" selected";
        setBands({0, 10, 20, 30, 40, 50, 60, 70, 80, 100});
        band(10).setValue(77);
        win().Command1_Click();
        EXPECT_FALSE(open());
        EXPECT_EQ(readLines(file()),
                  QStringList{"Preset1"} + bands({0, 10, 20, 30, 40, 50, 60, 70, 80, 100}));
        EXPECT_EQ(band(10).value(), 77) << "the reverb is never stored";

        setBands({50, 50, 50, 50, 50, 50, 50, 50, 50, 50});
        openFor(Use::Loading);
        EXPECT_EQ(listed(), QStringList{"Preset1"});
        choose(0);
        EXPECT_EQ(band(4).value(), 40);
        EXPECT_EQ(band(9).value(), 100);
        win().Command2_Click();
    }
}

TEST_F(PresetTest, EveryRecordIsListedAndASaveKeepsTheOthers) {
    std::vector<Record> records;
    for (int k = 0; k < 35; ++k)
        records.push_back({QString("P%1").arg(k), flat(k)});
    writeFile(fileOf(records));
    const QStringList before = readLines(file());
    openFor(Use::Saving);
    ASSERT_EQ(win().ListaPreset.ListCount(), 35);
    choose(34);
    EXPECT_EQ(bandValues(), all(34)) << "a record past the thirtieth applies";
    win().NumePreset.setText("Late");
    win().Command1_Click();
    const QStringList after = readLines(file());
    ASSERT_EQ(after.size(), 396);
    EXPECT_EQ(after.mid(0, 385), before);
    EXPECT_EQ(after.mid(385), QStringList{"Late"} + flat(34));
    openFor(Use::Deleting);
    EXPECT_EQ(win().ListaPreset.ListCount(), 36);
    EXPECT_EQ(win().ListaPreset.List(35), "Late");
}

TEST_F(PresetTest, NamesMatchOnNameLinesOnlyAndTheFirstOfEqualNamesWins) {
    writeFile(fileOf({{"Same", flat(10)},
                      {"50", flat(20)},
                      {"Same", flat(30)},
                      {"Flat", flat(50)},
                      {"Other", bands({50, 50, 50, 50, 50, 50, 50, 50, 50, 50})}}));
    openFor(Use::Deleting);
    EXPECT_EQ(listed(), QStringList({"Same", "50", "Same", "Flat", "Other"}));
    choose(2);
    EXPECT_EQ(bandValues(), all(10)) << "the first record of the name";
    win().DelButton_Click();
    EXPECT_EQ(listed(), QStringList({"Same", "50", "Flat", "Other"}));
    EXPECT_EQ(win().ListaPreset.ListIndex(), -1);
    EXPECT_EQ(readLines(file()).mid(0, 11), QStringList{"50"} + flat(20));

    choose(1);
    EXPECT_EQ(bandValues(), all(20)) << "the record named 50, not a band line";
    win().DelButton_Click();
    EXPECT_EQ(readLines(file()), QStringList{"Same"} + flat(30) + QStringList{"Flat"} + flat(50) +
                                     QStringList{"Other"} + flat(50));
}

TEST_F(PresetTest, TrailingBlanksAreKeptOnDiskAndDroppedFromTheNextOpening) {
    openFor(Use::Saving);
    win().NumePreset.setText("Warm  ");
    setBands({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    win().Command1_Click();
    EXPECT_EQ(readLines(file()).first(), "Warm  ");
    setBands({50, 50, 50, 50, 50, 50, 50, 50, 50, 50});
    openFor(Use::Deleting);
    EXPECT_EQ(listed(), QStringList{"Warm"});
    choose(0);
    EXPECT_EQ(band(9).value(), 10);
    win().DelButton_Click();
    EXPECT_TRUE(readLines(file()).isEmpty());
}

TEST_F(PresetTest, DeleteNeedsAChosenEntryAndTakesAnEmptyName) {
    writeFile(fileOf({{"", flat(10)}, {"X", flat(20)}}));
    openFor(Use::Deleting);
    EXPECT_TRUE(win().DelButton.Visible());
    EXPECT_FALSE(win().DelButton.Enabled());
    const QByteArray original = testsupport::readAll(file());
    win().DelButton_Click();
    EXPECT_EQ(testsupport::readAll(file()), original) << "nothing chosen";
    choose(0);
    EXPECT_TRUE(win().DelButton.Enabled());
    win().DelButton_Click();
    EXPECT_EQ(readLines(file()), QStringList{"X"} + flat(20));
    EXPECT_EQ(listed(), QStringList{"X"});
    win().DelButton_Click();
    EXPECT_EQ(listed(), QStringList{"X"}) << "a second press right after does nothing";
    EXPECT_TRUE(win().DelButton.Enabled());
    EXPECT_TRUE(open()) << "Delete never closes the window";
    EXPECT_EQ(messages(), 0);
}

TEST_F(PresetTest, ApplyWritesTenBandsThenHandsAllElevenOn) {
    writeFile(fileOf({{"A", bands({0, 10, 20, 30, 40, 60, 70, 80, 90, 100})}}));
    p.start();
    band(10).setValue(77);
    for (int b = 0; b <= 10; ++b)
        band(b).setToolTipText("stale");
    openFor(Use::Loading);
    choose(0);
    EXPECT_EQ(bandValues(), std::vector<double>({0, 10, 20, 30, 40, 60, 70, 80, 90, 100}));
    EXPECT_EQ(band(10).value(), 77);
    for (int b = 0; b <= 10; ++b)
        EXPECT_NE(band(b).ToolTipText(), "stale") << "band " << b << " handed on";
    EXPECT_EQ(band(10).ToolTipText(), shared::formatDouble(23));
    win().Command2_Click();
    EXPECT_FALSE(open());
    EXPECT_EQ(band(9).value(), 100) << "Cancel takes nothing back";
    EXPECT_EQ(band(10).value(), 77);
}

TEST_F(PresetTest, OddValueLinesLeaveTheirBandAndACutRecordRepeatsTheLastLine) {
    for (QChar separator : {QChar('.'), QChar(',')}) {
        shared::ScopedDecimalSeparator locale(separator);
        writeFile(fileOf(
            {{"Odd", {"abc", "nan", "1e308", "-5", "37,5", "37.5", "", " 12 ", "inf", "1E2"}},
             {"Cut", {"15", "25", "35"}}}));
        openFor(Use::Loading);
        setBands({44, 44, 44, 44, 44, 44, 44, 44, 44, 44});
        band(10).setToolTipText("stale");
        choose(0);
        const std::vector<double> got = bandValues();
        for (double v : got)
            EXPECT_TRUE(v >= 0 && v <= 100) << v;
        EXPECT_EQ(got[0], 44) << "no number: unchanged";
        EXPECT_EQ(got[1], 44);
        EXPECT_EQ(got[2], 100) << "clamped";
        EXPECT_EQ(got[3], 0) << "clamped";
        if (separator == ',')
            EXPECT_NEAR(got[4], 37.5, 0.5);
        else
            EXPECT_EQ(got[4], 44) << "\"37,5\" is no number here";
        EXPECT_NEAR(got[5], 37.5, 0.5) << "'.' reads in every locale";
        EXPECT_EQ(got[6], 44);
        EXPECT_EQ(got[7], 12);
        EXPECT_EQ(got[8], 44);
        EXPECT_EQ(got[9], 100);
        EXPECT_NE(band(10).ToolTipText(), "stale") << "handed on all the same";

        band(10).setToolTipText("stale");
        choose(1);
        EXPECT_EQ(bandValues(), std::vector<double>({15, 25, 35, 35, 35, 35, 35, 35, 35, 35}));
        EXPECT_NE(band(10).ToolTipText(), "stale");
        win().Command2_Click();
    }
}

TEST_F(PresetTest, SetUpsAddUpWhileTheWindowStaysOpen) {
    writeFile(fileOf({{"A", flat(10)}}));
    openFor(Use::Deleting);
    openFor(Use::Saving);
    EXPECT_TRUE(win().NumePreset.Visible());
    EXPECT_TRUE(win().DelButton.Visible());
    EXPECT_EQ(win().Caption(), "Load Equalizer Preset") << "the first activation had no name box";
    win().Command2_Click();

    openFor(Use::Loading);
    writeFile(fileOf({{"B", flat(20)}, {"C", flat(30)}}));
    openFor(Use::Saving);
    EXPECT_EQ(win().Caption(), "Load Equalizer Preset");
    EXPECT_EQ(listed(), QStringList{"A"}) << "nothing is read again";
    EXPECT_TRUE(win().NumePreset.Visible());
    openFor(Use::Loading);
    EXPECT_FALSE(win().NumePreset.Visible());
    win().Command1_Click();
    EXPECT_FALSE(open()) << "Ok without the name box only closes";
    EXPECT_EQ(readLines(file()).size(), 22);

    openFor(Use::Saving);
    EXPECT_EQ(win().Caption(), "Save Preset") << "a new opening starts from the design";
    EXPECT_EQ(listed(), QStringList({"B", "C"}));
}

TEST_F(PresetTest, AFailedRewriteSaysSoAndKeepsTheWindowAsBefore) {
    writeFile(fileOf({{"A", flat(10)}, {"B", flat(20)}}));
    const QByteArray original = testsupport::readAll(file());
    QFile(file()).setPermissions(QFile::ReadOwner);
    testsupport::PermissionsHold hold;
    openFor(Use::Saving);
    win().NumePreset.setText("New");
    win().Command1_Click();
    ASSERT_EQ(messages(), 1);
    EXPECT_TRUE(p.dialogs->shown.back().text.contains(file()));
    EXPECT_TRUE(open()) << "the preset is not lost";
    EXPECT_EQ(win().ValoriPreset.ListCount(), 22);

    choose(1);
    win().DelButton_Click();
    EXPECT_EQ(messages(), 2);
    EXPECT_EQ(listed(), QStringList({"A", "B"}));
    EXPECT_EQ(win().ListaPreset.ListIndex(), 1);
    EXPECT_EQ(win().ValoriPreset.items(), readLines(file()));
    EXPECT_EQ(testsupport::readAll(file()), original);

    QFile(file()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    win().Command1_Click();
    EXPECT_FALSE(open());
    EXPECT_EQ(readLines(file()), QStringList{"A"} + flat(10) + QStringList{"B"} + flat(20) +
                                     QStringList{"New"} + flat(20))
        << "the retry stores the record once";
}

TEST_F(PresetTest, AReadOnlyProgramFolderOrAFolderNamedLikeTheFileFailsAloud) {
    p.start();
    QDir().mkdir(file());
    openFor(Use::Saving);
    EXPECT_EQ(win().ListaPreset.ListCount(), 0);
    win().Command1_Click();
    EXPECT_EQ(messages(), 1);
    EXPECT_TRUE(open());
    win().Command2_Click();
    QDir().rmdir(file());

    QFile(p.program.path()).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    {
        testsupport::PermissionsHold hold;
        openFor(Use::Saving);
        win().Command1_Click();
        EXPECT_EQ(messages(), 2);
        EXPECT_FALSE(QFile::exists(file()));
        win().Command2_Click();
    }
    QFile(p.program.path()).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(PresetTest, LongAndOddFilesLoadWithoutHarm) {
    QByteArray big;
    for (int i = 0; i < 40000; ++i)
        big += (i % 11 == 0 ? QByteArray("N") + QByteArray::number(i / 11) : "60") + "\r\n";
    writeFile(big);
    openFor(Use::Loading);
    ASSERT_EQ(win().ListaPreset.ListCount(), 3637);
    choose(3636);
    EXPECT_EQ(bandValues(), all(60)) << "the last record, cut short";
    win().Command2_Click();

    const QByteArray megabyteLine(1 << 20, 'x');
    QByteArray huge;
    for (int i = 0; i < 100; ++i)
        huge += megabyteLine + "\r\n";
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>(i * 37 % 256);
    for (const QByteArray& bytes :
         {QByteArray(), binary, huge, QByteArray("Cr\r10\r20\r30\r40\r50\r60\r70\r80\r90\r99\r"),
          QByteArray("Caf\xe9\r\n5\r\n")}) {
        writeFile(bytes);
        setBands({44, 44, 44, 44, 44, 44, 44, 44, 44, 44});
        openFor(Use::Loading);
        for (int i = 0; i < win().ListaPreset.ListCount(); ++i)
            choose(i);
        for (double v : bandValues())
            EXPECT_TRUE(v >= 0 && v <= 100) << v;
        win().Command2_Click();
    }
    EXPECT_EQ(band(9).value(), 5) << "a Windows-1252 name reads and its record applies";
    writeFile("Cr\r10\r20\r30\r40\r50\r60\r70\r80\r90\r99\r");
    openFor(Use::Loading);
    EXPECT_EQ(listed(), QStringList{"Cr"});
}

TEST_F(PresetTest, OddNamesGoToTheFileAsTyped) {
    const QStringList names{QString(1000, 'n'), "Tab\there", QString::fromUtf8("Ünïcødé ♪")};
    for (const QString& name : names) {
        openFor(Use::Saving);
        win().NumePreset.setText(name);
        win().Command1_Click();
    }
    openFor(Use::Deleting);
    EXPECT_EQ(listed(), names);
    choose(1);
    win().DelButton_Click();
    EXPECT_EQ(listed(), QStringList({names[0], names[2]}));
    EXPECT_EQ(readLines(file()).size(), 22);
}

TEST_F(PresetTest, TheShippedPresetsAreTenWholeRecordsInRange) {
    const QStringList lines = readLines(QString(PLENK_ASSETS) + "/eqpreset.ini");
    ASSERT_EQ(lines.size(), 110);
    QStringList names;
    for (int k = 0; k < 10; ++k) {
        names << lines[11 * k];
        for (int b = 1; b <= 10; ++b) {
            bool ok = false;
            const int v = lines[11 * k + b].toInt(&ok);
            EXPECT_TRUE(ok && v >= 0 && v <= 100) << lines[11 * k + b].toStdString();
        }
    }
    EXPECT_EQ(names, QStringList({"Flat", "Bass boost", "Treble boost", "Rock", "Pop", "Jazz",
                                  "Classical", "Vocal", "Dance", "Soft"}));
}

}  // namespace

namespace {

TEST_F(PresetTest, AFullDiskKeepsTheOldFileAndTheRecordToRetry) {
    writeFile(fileOf({{"A", flat(10)}}));
    const QByteArray original = testsupport::readAll(file());
    openFor(Use::Saving);
    win().NumePreset.setText(QString(8000, 'n'));
    {
        testsupport::FileSizeLimit full(4096);
        win().Command1_Click();
    }
    EXPECT_EQ(messages(), 1);
    EXPECT_EQ(testsupport::readAll(file()), original);
    EXPECT_EQ(win().ValoriPreset.ListCount(), 11);
    win().Command1_Click();
    EXPECT_EQ(readLines(file()).size(), 22);
}

}  // namespace
