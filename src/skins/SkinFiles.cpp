#include "skins/SkinFiles.h"

#include <QDir>
#include <QFileInfo>
#include <map>

#include "app/PlenkApp.h"
#include "options/Options.h"
#include "platform/ui/RuntimeError.h"
#include "shared/DataForm.h"

// Outside any namespace, as the resource's registration needs.
static void registerDesignPictures() {
    Q_INIT_RESOURCE(design_skin);
}

namespace SkinFiles {

namespace {

QString withoutLeadingSeparators(QString name) {
    while (name.startsWith('\\') || name.startsWith('/'))
        name.remove(0, 1);
    return name;
}

bool singleName(const QString& name) {
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
           !name.contains('\\') && !name.contains(QChar(0));
}

// One step down from folder, or empty when there is no such entry.
QString down(const QString& folder, const QString& name) {
    if (folder.isEmpty() || !singleName(name)) return {};
    const QString found = entryIgnoringCase(folder, name);
    return found.isEmpty() ? QString() : folder + '/' + found;
}

// The pictures cachedPicture kept, for the skin they were read from.
class PictureCache {
  public:
    explicit PictureCache(ui::Application&) {}
    ui::Picture picture(PlenkApp& app, const QString& file) {
        const QString skin = app.form<DataForm>().CalePlenkPlayer.Text() + '\n' +
                             app.form<Options>().SkinName.Text();
        if (skin != skin_) {
            pictures_.clear();
            skin_ = skin;
        }
        if (const auto kept = pictures_.find(file); kept != pictures_.end()) return kept->second;
        const ui::Picture read = SkinFiles::picture(app, file);
        pictures_.emplace(file, read);
        return read;
    }
    void clear() { pictures_.clear(); }

  private:
    QString skin_;
    std::map<QString, ui::Picture> pictures_;
};

}  // namespace

QString entryIgnoringCase(const QString& folder, const QString& name) {
    if (QFileInfo::exists(folder + '/' + name)) return name;
    QString match;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) != 0) continue;
        if (!match.isEmpty()) return {};
        match = entry;
    }
    return match;
}

QString path(PlenkApp& app, const QString& file) {
    const QString name = withoutLeadingSeparators(file);
    QString folder = app.form<DataForm>().CalePlenkPlayer.Text();
    while (folder.size() > 1 && (folder.endsWith('/') || folder.endsWith('\\')))
        folder.chop(1);
    for (const QString& part : {QStringLiteral("Skins"), app.form<Options>().SkinName.Text(), name})
        folder = down(folder, part);
    if (folder.isEmpty()) throw ui::RuntimeError(ui::kFileNotFound);
    return folder;
}

ui::Picture picture(PlenkApp& app, const QString& file) {
    return ui::LoadPicture(path(app, file));
}

ui::Picture cachedPicture(PlenkApp& app, const QString& file) {
    return app.module<PictureCache>().picture(app, file);
}

void forgetCachedPictures(PlenkApp& app) {
    app.module<PictureCache>().clear();
}

ui::Picture designPicture(const QString& file) {
    static const bool registered = (registerDesignPictures(), true);
    (void)registered;
    return ui::LoadPicture(":/design/" + withoutLeadingSeparators(file));
}

}  // namespace SkinFiles
