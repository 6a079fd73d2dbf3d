#include <gtest/gtest.h>

#include <QDir>

#include "shared/DataForm.h"
#include "support/LanguageFixture.h"
#include "windows/FormMeniuri.h"

using LanguageTable::Row;
using LanguageTable::Window;
using testsupport::LanguageFixture;

namespace {

// After Romanian and then a bad file: the lines it gave are shown, every
// other caption of the five windows is Romanian, the menus are at their
// design and set up.
struct BadLanguage : LanguageFixture {
    LanguageFixture::Captions design;
    LanguageFixture::Captions romanian;

    BadLanguage() {
        design = captions();
        ship();
        apply("Romana");
        romanian = captions();
    }
    // given: the caption each line of the file gives (from line 0).
    void expectAfter(const QString& name, const QStringList& given) {
        apply("Romana");
        apply(name);
        const auto now = captions();
        const auto& rows = LanguageTable::rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const Row& row = rows[i];
            if (row.line < given.size() && now[i]) {
                EXPECT_EQ(*now[i], LanguageFixture::shown(given, row.line)) << where(row);
            } else {
                EXPECT_EQ(now[i], row.window == Window::FormMeniuri ? design[i] : romanian[i])
                    << where(row);
            }
        }
        EXPECT_TRUE(form<FormMeniuri>().ownerDraw()) << "the menus are set up";
        EXPECT_TRUE(form<FormMeniuri>().MeniuLaRand.Checked());
    }
};

}  // namespace

TEST(LanguageBadInput, EmptyCrOnlyAndNulFiles) {
    BadLanguage f;
    f.program.write("Languages/Empty.ini", "");
    f.expectAfter("Empty", {});
    f.program.write("Languages/Cr.ini", "Cr\rOne\rTwo\r");
    f.expectAfter("Cr", {"Cr", "One", "Two"});
    f.program.write("Languages/Nul.ini", QByteArray("Nul\r\nTo\0tal\r\nT\r\n", 16));
    f.expectAfter("Nul", {"Nul", "To", "T"});
}

TEST(LanguageBadInput, BinaryAndNotUtf8Files) {
    BadLanguage f;
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 7919) & 0xFF);
    f.program.write("Languages/Binary.ini", binary);
    f.apply("Binary");
    EXPECT_TRUE(f.form<FormMeniuri>().ownerDraw());
    EXPECT_GT(f.form<DataForm>().LangList.ListCount(), 1);
    f.program.write("Languages/Latin.ini", "Latin\r\n\xff\xfe\xe9\r\n");
    f.expectAfter("Latin", {"Latin", QString::fromUtf8("ÿþé")});
}

TEST(LanguageBadInput, OneLineOfAMegabyteAndAHundredMegabyteFile) {
    BadLanguage f;
    const QString huge(1 << 20, 'w');
    f.program.write("Languages/Wide.ini", "Wide\r\n" + huge.toLatin1() + "\r\n");
    f.expectAfter("Wide", {"Wide", huge});
    QByteArray line = QByteArray(98, 'b') + "\r\n";
    QByteArray big;
    big.reserve(100 << 20);
    while (big.size() < (100 << 20))
        big += line;
    f.program.write("Languages/Big.ini", big);
    QStringList given;
    for (int i = 0; i <= LanguageTable::kLastLine; ++i)
        given << QString(98, 'b');
    f.expectAfter("Big", given);
}

TEST(LanguageBadInput, OddNamesAFolderAndNoLanguagesFolder) {
    BadLanguage f;
    f.program.write("x.ini", "Outside\r\nO\r\n");
    f.expectAfter("../x", {"Outside", "O"});
    f.expectAfter(QString(300, 'n'), {});
    QDir(f.program.path()).mkpath("Languages/Folder.ini");
    f.expectAfter("Folder", {});
    QDir(f.program.file("Languages")).removeRecursively();
    f.expectAfter("Romana", {});
}
