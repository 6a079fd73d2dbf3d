#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "app/PlenkApp.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/ClsPl.h"
#include "playlist/MediaTypes.h"
#include "playlist/ModWinDialog.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"

namespace {

QString joined(const QString& folder, const QString& name) {
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// A folder's identity: the same folder reached through links is one folder.
using FolderId = std::pair<dev_t, ino_t>;

// The identity of a folder the walk can list, none for anything else.
std::optional<FolderId> readableFolder(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
    if (::access(native.constData(), R_OK | X_OK) != 0) return std::nullopt;
    return FolderId{st.st_dev, st.st_ino};
}

// One folder of the walk with the sub-folders still to visit.
struct Visit {
    QString path;
    QStringList subFolders;
    qsizetype next = 0;
};

Visit visit(const QString& path) {
    const QStringList names =
        QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                             QDir::Name | QDir::IgnoreCase);
    return {path, names};
}

}  // namespace

void ClsPl::AdaugaFolder() {
    RootPending = true;
    ChosenFolder = BrowseForFolder(app_.form<Playlist>(), "Adauga folder in playlist:", "");
    AdaugaFolderDrag(ChosenFolder);
}

void ClsPl::AdaugaFolderDrag(const QString& folder) {
    if (folder.isEmpty()) return;
    app_.form<DataForm>().Foldere.Clear();
    RootPending = true;
    GetDirs(folder);
    const QStringList files = QueuedFiles();
    if (files.isEmpty()) return;
    appendEntries(files);
    ui::ListBox& rows = app_.form<Playlist>().PicList;
    if (rows.ListIndex() >= 0) rows.setListIndex(-1);
    SetJumpList();
}

// Depth first without recursion, so deep trees cannot exhaust the stack;
// each folder is visited once, so links that loop back end there.
void ClsPl::GetDirs(const QString& path) {
    ui::ListBox& queue = app_.form<DataForm>().Foldere;
    const std::optional<FolderId> root = readableFolder(path);
    if (!root) return;
    std::set<FolderId> seen{*root};
    if (std::exchange(RootPending, false)) queue.AddItem(path);
    std::vector<Visit> stack{visit(path)};
    while (!stack.empty()) {
        Visit& top = stack.back();
        if (top.next < top.subFolders.size()) {
            const QString child = joined(top.path, top.subFolders[top.next++]);
            const std::optional<FolderId> id = readableFolder(child);
            if (id && seen.insert(*id).second) stack.push_back(visit(child));
            continue;
        }
        const QString done = top.path;
        stack.pop_back();
        if (!stack.empty()) queue.AddItem(done);
    }
}

QStringList ClsPl::QueuedFiles() {
    DataForm& data = app_.form<DataForm>();
    ui::FileListBox& lister = data.File1;
    if (lister.Pattern() != folderWalkPattern()) lister.setPattern(folderWalkPattern());
    QStringList files;
    while (data.Foldere.ListCount() > 0) {
        const QString folder = data.Foldere.List(0);
        data.Foldere.RemoveItem(0);
        // A folder gone since it was queued adds nothing.
        try {
            lister.setPath(folder);
        } catch (const ui::RuntimeError&) {
            continue;
        }
        for (int i = 0; i < lister.ListCount(); ++i)
            files << joined(folder, lister.List(i));
    }
    data.NrFisier.setCaption("0");
    return files;
}
