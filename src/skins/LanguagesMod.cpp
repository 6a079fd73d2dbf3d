#include "skins/LanguagesMod.h"

#include "app/PlenkApp.h"
#include "persistence/DataClass.h"
#include "shared/DataForm.h"
#include "shared/ProgramFolder.h"
#include "windows/FormMeniuri.h"

namespace LanguagesMod {

void ApplyLanguage(PlenkApp& app, const QString& name) {
    app.form<FormMeniuri>().Unload();
    app.form<FormMeniuri>();
    DataForm& d = app.form<DataForm>();
    d.LangList.Clear();
    DataClass().IncarcaData(d.programFile("\\Languages\\" + name + ".ini"), d.LangList);
    app.form<FormMeniuri>().SetMenuStuff();
}

}  // namespace LanguagesMod
