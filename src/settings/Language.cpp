#include "settings/Language.h"

#include "app/App.h"
#include "app/ErrorCheck.h"
#include "app/Program.h"
#include "platform/Convert.h"

namespace velkor {
namespace {

// One caption of a window: where the language file holds it and what takes it.
template <class Window>
struct CaptionRow {
    const char* section;
    const char* key;
    void (*assign)(Window& window, std::string caption);
};

template <auto Member, class Window>
void Caption(Window& window, std::string caption) {
    (window.*Member).setCaption(std::move(caption));
}

template <class Window>
void Title(Window& window, std::string caption) {
    window.setCaption(std::move(caption));
}

// The rows of each window, in the order they are assigned. Key and control name differ for
// cmdSetPWD, and both password dialogs' Cancel buttons share "cmdCancel" of "CheckPassword".
const CaptionRow<frmVelkor> kMainWindow[] = {
    {"Main", "chkAll", Caption<&frmVelkor::chkAll>},
    {"Main", "optLock", Caption<&frmVelkor::optLock>},
    {"Main", "optUnlock", Caption<&frmVelkor::optUnlock>},
    {"Main", "optOpen", Caption<&frmVelkor::optOpen>},
    {"Main", "optClose", Caption<&frmVelkor::optClose>},
    {"MenuMain", "mnuLockAll", Caption<&frmVelkor::mnuLockAll>},
    {"MenuMain", "mnuUnlockAll", Caption<&frmVelkor::mnuUnlockAll>},
    {"MenuMain", "mnuOpenAll", Caption<&frmVelkor::mnuOpenAll>},
    {"MenuMain", "mnuCloseAll", Caption<&frmVelkor::mnuCloseAll>},
    {"MenuMain", "mnuLock", Caption<&frmVelkor::mnuLock>},
    {"MenuMain", "mnuUnlock", Caption<&frmVelkor::mnuUnlock>},
    {"MenuMain", "mnuOpen", Caption<&frmVelkor::mnuOpen>},
    {"MenuMain", "mnuClose", Caption<&frmVelkor::mnuClose>},
    {"MenuMain", "mnuShow", Caption<&frmVelkor::mnuShow>},
    {"MenuMain", "mnuExit", Caption<&frmVelkor::mnuExit>},
    {"MenuMain", "mnuExit2", Caption<&frmVelkor::mnuExit2>},
    {"MenuMain", "mnuFile", Caption<&frmVelkor::mnuFile>},
    {"MenuMain", "mnuEdit", Caption<&frmVelkor::mnuEdit>},
    {"MenuMain", "mnuPreferences", Caption<&frmVelkor::mnuPreferences>},
    {"MenuMain", "mnuHelp", Caption<&frmVelkor::mnuHelp>},
    {"MenuMain", "mnuAbout", Caption<&frmVelkor::mnuAbout>},
};

const CaptionRow<frmPreferences> kPreferences[] = {
    {"Preferences", "frmPreferences", Title},
    {"Preferences", "frmLanguage", Caption<&frmPreferences::frmLanguage>},
    {"Preferences", "chkMinimizeToTray", Caption<&frmPreferences::chkMinimizeToTray>},
    {"Preferences", "chkSaveState", Caption<&frmPreferences::chkSaveState>},
    {"Preferences", "chkLockAll", Caption<&frmPreferences::chkLockAll>},
    {"Preferences", "chkResume", Caption<&frmPreferences::chkResume>},
    {"Preferences", "cmdApply", Caption<&frmPreferences::cmdApply>},
    {"Preferences", "chkPassword", Caption<&frmPreferences::chkPassword>},
    {"Preferences", "cmdSetPassword", Caption<&frmPreferences::cmdSetPWD>},
    {"Preferences", "cmdCheckUpdate", Caption<&frmPreferences::cmdCheckUpdate>},
};

const CaptionRow<frmSetPWD> kSetPassword[] = {
    {"SetPassword", "frmSetPWD", Title},
    {"SetPassword", "lblPasswordOld", Caption<&frmSetPWD::lblPasswordOld>},
    {"SetPassword", "lblPasswordNew", Caption<&frmSetPWD::lblPasswordNew>},
    {"SetPassword", "lblPasswordNew2", Caption<&frmSetPWD::lblPasswordNew2>},
    {"CheckPassword", "cmdCancel", Caption<&frmSetPWD::cmdCancel>},
};

const CaptionRow<frmCheckPWD> kCheckPassword[] = {
    {"CheckPassword", "frmCheckPWD", Title},
    {"CheckPassword", "cmdCancel", Caption<&frmCheckPWD::cmdCancel>},
    {"CheckPassword", "lblPassword", Caption<&frmCheckPWD::lblPassword>},
};

std::string LanguageFile(const App& app, int16_t language) {
    return app.ports.files.ProgramFolder() + "\\Language_" + std::to_string(language) + ".txt";
}

template <class Window, size_t N>
void Assign(const IniInOut& ini, const std::string& file, Window& window,
            const CaptionRow<Window> (&rows)[N]) {
    for (const CaptionRow<Window>& row : rows) {
        row.assign(window, ini.ReadIni(file, row.section, row.key));
    }
}

void LanguageNotFound(App& app) {
    app.ports.dialogs.Show(
        {"INI-File not found.", std::string(program::kTitle), Buttons::Ok, Icon::None});
}

template <class Window, size_t N>
void LoadDialogCaptions(App& app, Window& window, const CaptionRow<Window> (&rows)[N]) {
    Guarded(app.ports.dialogs, "LoadLanguage()", [&] {
        const std::string settings =
            app.ports.files.ProgramFolder() + "\\" + std::string(program::kSettingsFileName);
        const int16_t language = StoredLanguage(app.ini, settings).value_or(0);
        Assign(app.ini, LanguageFile(app, language), window, rows);
    });
}

}  // namespace

std::optional<int16_t> StoredLanguage(const IniInOut& ini, std::string_view settingsPath) {
    const std::string text = ini.ReadIni(settingsPath, "Language", "Language");
    int16_t language = 0;
    std::optional<RuntimeError> error = Attempt([&] { language = ToInt16(text); });
    if (!error) return language;
    if (error->number() == err::kTypeMismatch || error->number() == err::kOverflow) {
        return std::nullopt;
    }
    throw *error;
}

void LoadLanguage(App& app, const std::string& settingsPath) {
    Guarded(app.ports.dialogs, "LoadLanguage()", [&] {
        if (!StoredLanguage(app.ini, settingsPath)) {
            LanguageNotFound(app);
            return;
        }
        // The dialogs come into being, hidden, before any caption is set. The preferences
        // dialog's load selects the stored language and rewrites a number other than 0 and 1 as
        // English, so the number is read again: every window takes the language now stored.
        app.preferences.get();
        app.setPassword.get();
        app.checkPassword.get();
        const std::optional<int16_t> language = StoredLanguage(app.ini, settingsPath);
        if (!language) {
            LanguageNotFound(app);
            return;
        }
        const std::string file = LanguageFile(app, *language);
        Assign(app.ini, file, *app.mainWindow, kMainWindow);
        Assign(app.ini, file, *app.preferences, kPreferences);
        Assign(app.ini, file, *app.setPassword, kSetPassword);
        Assign(app.ini, file, *app.checkPassword, kCheckPassword);
    });
}

void LoadCaptions(App& app, frmSetPWD& dialog) {
    LoadDialogCaptions(app, dialog, kSetPassword);
}

void LoadCaptions(App& app, frmCheckPWD& prompt) {
    LoadDialogCaptions(app, prompt, kCheckPassword);
}

}  // namespace velkor
