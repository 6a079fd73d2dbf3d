// Finding and reading the files of the current skin.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

#include "options/Options.h"
#include "shared/DataForm.h"
#include "skins/SkinFiles.h"
#include "support/PlayerFixture.h"

namespace {

using testsupport::PlayerFixture;

QByteArray encoded(const QSize& size, const char* format) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format);
    return bytes;
}

struct SkinFolder : PlayerFixture {
    SkinFolder() : PlayerFixture(testsupport::notStarted()) {
        form<DataForm>().CalePlenkPlayer.Clear();
        form<DataForm>().CalePlenkPlayer.AddItem(program.path());
        form<DataForm>().CalePlenkPlayer.setListIndex(0);
        form<::Options>().SkinName.setText("Mine");
    }
    QString put(const QString& name, const QByteArray& bytes) {
        return program.write("Skins/Mine/" + name, bytes);
    }
    QString path(const QString& file) { return SkinFiles::path(*app, file); }
    int failure(const QString& file) {
        try {
            SkinFiles::picture(*app, file);
        } catch (const ui::RuntimeError& e) {
            return e.number();
        }
        return 0;
    }
};

TEST(SkinFiles, ExactNameFirstElseTheOneMatchIgnoringCase) {
    SkinFolder s;
    const QString upper = s.put("MAIN.JPG", encoded({4, 3}, "JPG"));
    const QString ini = s.put("Skin.INI", "x\r\n");
    EXPECT_EQ(s.path("\\main.jpg"), upper);
    EXPECT_EQ(s.path("skin.ini"), ini);
    EXPECT_EQ(SkinFiles::picture(*s.app, "\\main.jpg").pixmap().size(), QSize(4, 3));

    const QString exact = s.put("main.jpg", encoded({2, 2}, "JPG"));
    EXPECT_EQ(s.path("\\main.jpg"), exact);
    // Two names that differ only in case, neither of them exact: no guess.
    s.put("Logo.bmp", encoded({1, 1}, "BMP"));
    s.put("LOGO.bmp", encoded({1, 1}, "BMP"));
    EXPECT_EQ(s.failure("\\logo.bmp"), ui::kFileNotFound);
}

TEST(SkinFiles, SkinAndSkinsFolderAlsoMatchIgnoringCase) {
    SkinFolder s;
    const QString file = s.program.write("skins/MINE/top.bmp", encoded({3, 1}, "BMP"));
    QDir(s.program.path()).rmdir("Skins");
    EXPECT_EQ(s.path("\\top.bmp"), file);
}

TEST(SkinFiles, PicturesAreKnownByContent) {
    SkinFolder s;
    s.put("logo.bmp", encoded({5, 6}, "JPG"));
    s.put("top.bmp", encoded({7, 2}, "PNG"));
    EXPECT_EQ(SkinFiles::picture(*s.app, "\\logo.bmp").pixmap().size(), QSize(5, 6));
    EXPECT_EQ(SkinFiles::picture(*s.app, "\\top.bmp").pixmap().size(), QSize(7, 2));
}

TEST(SkinFiles, BadPicturesFailLikeMissingOnes) {
    SkinFolder s;
    const QByteArray bmp = encoded({40, 40}, "BMP");
    s.put("empty.bmp", "");
    s.put("text.bmp", "not a picture at all\n");
    s.put("cut.bmp", bmp.left(bmp.size() / 2));
    QDir(s.program.path()).mkpath("Skins/Mine/main.jpg");
    EXPECT_EQ(s.failure("\\absent.bmp"), ui::kFileNotFound);
    EXPECT_EQ(s.failure("\\main.jpg"), ui::kFileNotFound);
    EXPECT_EQ(s.failure("\\empty.bmp"), ui::kInvalidPicture);
    EXPECT_EQ(s.failure("\\text.bmp"), ui::kInvalidPicture);
    EXPECT_EQ(s.failure("\\cut.bmp"), ui::kInvalidPicture);
}

TEST(SkinFiles, HugePictureIsRefusedBeforeItsPixelsAreRead) {
    SkinFolder s;
    s.put("main.jpg", testsupport::hugeBitmapHeader());
    EXPECT_NE(s.failure("\\main.jpg"), 0);
}

TEST(SkinFiles, SkinNameMustBeOneFolderOfSkins) {
    SkinFolder s;
    s.program.write("x/main.jpg", encoded({2, 2}, "JPG"));
    s.program.write("Skins/main.jpg", encoded({2, 2}, "JPG"));
    for (const char* name : {"", "..", ".", "../x", "..\\x", "Mine/../../x"}) {
        s.form<::Options>().SkinName.setText(name);
        EXPECT_EQ(s.failure("\\main.jpg"), ui::kFileNotFound) << name;
    }
}

TEST(SkinFiles, SkinFolderThatIsAFileOrMissing) {
    SkinFolder s;
    s.program.write("Skins/Plain", "just a file");
    s.form<::Options>().SkinName.setText("Plain");
    EXPECT_EQ(s.failure("\\main.jpg"), ui::kFileNotFound);
    s.form<::Options>().SkinName.setText("Nowhere");
    EXPECT_EQ(s.failure("\\main.jpg"), ui::kFileNotFound);
}

}  // namespace

namespace {

// Pictures the player swaps in again and again are read once per skin.
TEST(SkinFiles, CachedPicturesAreReadOncePerSkinAndAfreshAfterAChange) {
    SkinFolder s;
    auto size = [&](const char* file) {
        return SkinFiles::cachedPicture(*s.app, file).pixmap().size();
    };
    s.put("button2.bmp", encoded({2, 2}, "BMP"));
    EXPECT_EQ(size("\\button2.bmp"), QSize(2, 2));
    s.put("button2.bmp", encoded({3, 3}, "BMP"));
    EXPECT_EQ(size("\\button2.bmp"), QSize(2, 2)) << "kept, not read again";

    EXPECT_THROW(SkinFiles::cachedPicture(*s.app, "\\button2b.bmp"), ui::RuntimeError);
    s.put("button2b.bmp", encoded({4, 4}, "BMP"));
    EXPECT_EQ(size("\\button2b.bmp"), QSize(4, 4)) << "a failed read is not kept";

    s.program.write("Skins/Other/button2.bmp", encoded({5, 5}, "BMP"));
    s.form<::Options>().SkinName.setText("Other");
    EXPECT_EQ(size("\\button2.bmp"), QSize(5, 5)) << "another skin";
    s.form<::Options>().SkinName.setText("Mine");
    EXPECT_EQ(size("\\button2.bmp"), QSize(3, 3)) << "back to the first, read afresh";

    s.put("button2.bmp", encoded({6, 6}, "BMP"));
    SkinFiles::forgetCachedPictures(*s.app);
    EXPECT_EQ(size("\\button2.bmp"), QSize(6, 6)) << "a skin applied again reads afresh";
}

}  // namespace
