#include "options/Options.h"
#include "persistence/modAssociate.h"
#include "shared/DataForm.h"

namespace {

// Registers every marked type of a list and removes every other one, in
// list order: the row is what links a mark to its registration.
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

// 0 unmarks every type of the list, 1 marks them all; 2 leaves the marks.
void Options::markAll(ui::CheckBox& all, ui::ListBox& types) {
    if (all.Value() != 0 && all.Value() != 1) return;
    for (int i = 0; i < types.ListCount(); ++i)
        types.setSelected(i, all.Value() == 1);
}

void Options::Check17_Click() {
    markAll(Check17, TpfAudio);
}

void Options::Check18_Click() {
    markAll(Check18, TpfVideo);
}

void Options::Command2_Click() {
    modAssociate& assoc = app().module<modAssociate>();
    DataForm& d = form<DataForm>();
    applyTypes(assoc, TpfAudio, modAssociate::kAudioTypes, d.programFile("\\audio.ico"));
    applyTypes(assoc, TpfVideo, modAssociate::kVideoTypes, d.programFile("\\video.ico"));
    assoc.NotifyAssociationChanged();
}
