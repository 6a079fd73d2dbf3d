#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include "options/Options.h"
#include "persistence/DataClass.h"
#include "shared/DataForm.h"
#include "skins/SkinFiles.h"
#include "skins/Skins.h"
#include "support/PlayerFixture.h"

namespace testsupport {

// A player whose program folder holds copies of the built skins, and hand-made
// skins beside them.
struct SkinFixture : PlayerFixture {
    explicit SkinFixture(bool startNow = true) : PlayerFixture(notStarted()) {
        for (const char* skin : {"Default", "Silver"})
            copySkin(skin, skin);
        if (startNow) start();
    }

    // A built skin copied under another name, so a test may take files away.
    void copySkin(const QString& from, const QString& to) {
        const QString source = QStringLiteral(PLENK_BUILT_SKINS "/") + from;
        const QString dest = program.file("Skins/" + to);
        QDir().mkpath(dest);
        for (const QString& name : QDir(source).entryList(QDir::Files))
            QFile::copy(source + "/" + name, dest + "/" + name);
    }
    QString skinFile(const QString& skin, const QString& name) const {
        return program.file("Skins/" + skin + "/" + name);
    }
    // The skin "Broken": a copy of Silver with five files spoiled, one way
    // each.  Each name is a file of the skin, such as "top.bmp".
    struct Spoiled {
        const char* cut;     // cut to its first third
        const char* empty;   // no bytes
        const char* text;    // text, no picture
        const char* folder;  // a folder in the file's place
        const char* huge;    // a header claiming 10,000 x 10,000 pixels
    };
    void spoiledSkin(const Spoiled& s) {
        copySkin("Silver", "Broken");
        const QString broken = "Skins/Broken/";
        const QByteArray whole = readAll(skinFile("Broken", s.cut));
        program.write(broken + s.cut, whole.left(whole.size() / 3));
        program.write(broken + s.empty, "");
        program.write(broken + s.text, "text, not a picture");
        QFile::remove(skinFile("Broken", s.folder));
        QDir(program.path()).mkpath(broken + s.folder);
        program.write(broken + s.huge, hugeBitmapHeader());
    }
    void writeIni(const QString& skin, const QByteArray& bytes) {
        program.write("Skins/" + skin + "/skin.ini", bytes);
    }

    // What the skin list does when the user picks a skin.
    void pick(const QString& skin) {
        DataForm& d = form<DataForm>();
        d.SkinSettings.Clear();
        d.SkinValues.Clear();
        form<::Options>().SkinName.setText(skin);
        DataClass().IncarcaData(skinFile(skin, "skin.ini"), d.SkinSettings);
        skins().ApplySkin();
    }
    // The loader run over the given lines, as if they were the skin's file.
    void applyLines(const QStringList& lines) {
        DataForm& d = form<DataForm>();
        d.SkinSettings.Clear();
        for (const QString& l : lines)
            d.SkinSettings.AddItem(l);
        skins().ApplySkin();
    }
    Skins& skins() { return app->module<Skins>(); }
};

}  // namespace testsupport
