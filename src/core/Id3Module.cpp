#include "core/Id3Module.h"

#include "app/PlenkApp.h"
#include "playlist/MediaLibrary.h"

Id3Module::Id3Module(ui::Application& app) : app_(static_cast<PlenkApp&>(app)) {}

void Id3Module::ReadId3v1Tag(const QString& Path) {
    // A file without a tag must not show, or be saved with, the last file's.
    Tag = Id3v1Tag::readFrom(Path).value_or(Id3v1Tag::blank());
    app_.form<MediaLibrary>().ID3Path.setCaption(Path);
}

bool Id3Module::WriteId3v1Tag(const QString& Path, const Id3v1Tag& tag) {
    return tag.writeTo(Path);
}
