#include "playlist/ModWinDialog.h"

#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"

QString BrowseForFolder(ui::Form& owner, const QString& prompt, const QString& initialFolder) {
    return owner.application().dialogs().pickFolder(prompt, initialFolder);
}
