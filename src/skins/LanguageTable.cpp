#include "skins/LanguageTable.h"

#include "app/PlenkApp.h"
#include "options/Options.h"
#include "playlist/DialogForm.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"

namespace LanguageTable {

using W = Window;

const std::vector<Row>& rows() {
    static const std::vector<Row> table{
        {1, W::MediaLibrary, "TotalFramesL"},
        {2, W::MediaLibrary, "Label15"},
        {4, W::Main, "Label7"},
        {5, W::MediaLibrary, "Label17"},
        {6, W::Main, "Label1"},
        {7, W::Main, "Label3"},
        {8, W::Main, "Label4"},
        {9, W::Playlist, "Label1"},
        {10, W::Playlist, "Label3"},
        {11, W::FormMeniuri, "MeniuPlayPl"},
        {12, W::FormMeniuri, "MenuInfo"},
        {12, W::FormMeniuri, "FileInfoMenu"},
        {13, W::FormMeniuri, "MeniuProgrameaza"},
        {14, W::FormMeniuri, "JumpToFileMenu"},
        {14, W::FormMeniuri, "SearchInPlMenu"},
        {15, W::FormMeniuri, "MeniuOptiuni"},
        {16, W::FormMeniuri, "MeniuMelodie"},
        {16, W::FormMeniuri, "PlaybackModeMenu"},
        {17, W::FormMeniuri, "MeniuAleatoriu"},
        {17, W::FormMeniuri, "ShuffleOnMenu"},
        {18, W::FormMeniuri, "MeniuLaRand"},
        {18, W::FormMeniuri, "ShuffleOfMenu"},
        {19, W::FormMeniuri, "MeniuPreferinte"},
        {19, W::FormMeniuri, "PlayTheBestMenu"},
        {20, W::FormMeniuri, "MeniuAdaugaFolder"},
        {21, W::FormMeniuri, "MeniuAdaugaFisier"},
        {22, W::FormMeniuri, "MeniuStergeFisier"},
        {23, W::FormMeniuri, "MeniuStergeLista"},
        {24, W::FormMeniuri, "MeniuAfisareClasament"},
        {25, W::FormMeniuri, "MainOpenFile"},
        {26, W::FormMeniuri, "MainClosePlenk"},
        {27, W::FormMeniuri, "MainMenuSettings"},
        {28, W::FormMeniuri, "MainMenuHelp"},
        {29, W::FormMeniuri, "MenuOpenPlaylist"},
        {30, W::FormMeniuri, "MenuSavePlaylist"},
        {31, W::FormMeniuri, "MenuAddFile"},
        {32, W::FormMeniuri, "MenuAddFolder"},
        {33, W::FormMeniuri, "MenuClearPlaylist"},
        {34, W::FormMeniuri, "PlaylistSettingsMenu"},
        {35, W::FormMeniuri, "OpenCdMenu"},
        {36, W::FormMeniuri, "AboutPlenkMenu"},
        {37, W::Options, "GeneralFrame"},
        {38, W::Options, "Frame2"},
        {39, W::Options, "Label1"},
        {40, W::Options, "Frame5"},
        {41, W::Options, "Option8"},
        {42, W::Options, "Option9"},
        {43, W::Options, "Option10"},
        {44, W::Options, "Option11"},
        {45, W::Options, "Check1"},
        {46, W::Options, "Check2"},
        {47, W::Options, "AssociationFrame"},
        {48, W::Options, "Label14"},
        {49, W::Options, "Check17"},
        {50, W::Options, "Check18"},
        {51, W::Options, "Command2"},
        {52, W::Options, "AudioFrame"},
        {61, W::Options, "LanguageFrame"},
        {62, W::Options, "SkinFrame"},
        {63, W::Options, "Label12"},
        {64, W::Options, "Label11"},
        {65, W::Options, "Label10"},
        {66, W::Options, "PlaylistFrame"},
        {67, W::Options, "Frame1"},
        {68, W::Options, "Option1"},
        {69, W::Options, "Option2"},
        {70, W::Options, "Option3"},
        {71, W::Options, "Label29"},
        {72, W::Options, "Label26"},
        {73, W::Options, "Label30"},
        {74, W::Options, "Label31"},
        {75, W::Options, "Label32"},
        {76, W::Options, "Label33"},
        {77, W::Options, "Label34"},
        {78, W::Options, "Label35"},
        {79, W::Options, "Label36"},
        {80, W::Options, "Label37"},
        {81, W::Options, "Label38"},
        {82, W::Options, "Label27"},
        {83, W::Options, "Label28"},
        {84, W::Options, "KeyboardFrame"},
        {85, W::Options, "Label2"},
        {86, W::Options, "Label3"},
        {87, W::Options, "Label4"},
        {88, W::Options, "Label5"},
        {89, W::Options, "Label6"},
        {90, W::Options, "Label25"},
        {91, W::Options, "Label15"},
        {92, W::Options, "Label8"},
        {93, W::Options, "Label7"},
        {94, W::Options},  // the window's own caption
        {95, W::DialogForm, "SavePlaylistFrame"},
        {96, W::DialogForm, "Label3"},
        {97, W::DialogForm, "Label2"},
        {98, W::DialogForm, "Label4"},
        {99, W::DialogForm, "Command4"},
        {100, W::DialogForm, "Command5"},
        {101, W::DialogForm, "LoadPlaylistFrame"},
        {102, W::DialogForm, "Command2"},
        {103, W::DialogForm, "Command3"},
        {104, W::FormMeniuri, "ChangeSkinMenu"},
        {105, W::FormMeniuri, "LanguageMenu"},
        {106, W::FormMeniuri, "KeyboardShortcutsMenu"},
        {107, W::FormMeniuri, "FileAssociationMenu"},
        {108, W::Main, "PlaylistLabel"},
        {109, W::FormMeniuri, "ShowMenu"},
        {110, W::FormMeniuri, "EqualizerMenu"},
        {111, W::FormMeniuri, "LoadPreset"},
        {112, W::FormMeniuri, "SavePreset"},
        {113, W::FormMeniuri, "DeletePreset"},
        {114, W::FormMeniuri, "VideoSettingsMenu"},
        {115, W::FormMeniuri, "VideoSizeMenu"},
        {116, W::FormMeniuri, "StretchMenu"},
        {116, W::Options, "Option14"},
        {117, W::FormMeniuri, "OriginalSizeMenu"},
        {117, W::Options, "Option16"},
        {118, W::FormMeniuri, "OriginalSize2Menu"},
        {118, W::Options, "Option17"},
        {119, W::FormMeniuri, "ReportBugsMenu"},
        {120, W::FormMeniuri, "LastVersionMenu"},
        {121, W::Options, "Frame8"},
        {122, W::Options, "Label42"},
        {123, W::Options, "Check3"},
        {124, W::FormMeniuri, "FullMiniMenu"},
        {125, W::FormMeniuri, "NewPlaylistMenu"},
        {126, W::Options, "Frame9"},
        {127, W::Options, "Option15"},
        {128, W::Options, "Option18"},
        {129, W::Options, "Option19"},
        {130, W::Options, "Frame10"},
        {131, W::Options, "Check5"},
        {132, W::Options, "Label44"},
        {133, W::Options, "Command3"},
        {134, W::Options, "Check4"},
        {135, W::Options, "Check6"},
        {136, W::Options, "Check7"},
    };
    return table;
}

ui::Form& window(PlenkApp& app, Window which) {
    switch (which) {
        case W::FormMeniuri:
            return app.form<FormMeniuri>();
        case W::Options:
            return app.form<Options>();
        case W::DialogForm:
            return app.form<DialogForm>();
        case W::Main:
            return app.form<Main>();
        case W::MediaLibrary:
            return app.form<MediaLibrary>();
        case W::Playlist:
            break;
    }
    return app.form<Playlist>();
}

ui::Control* control(PlenkApp& app, const Row& row) {
    if (!row.control) return nullptr;
    return window(app, row.window).findControl(row.control);
}

}  // namespace LanguageTable
