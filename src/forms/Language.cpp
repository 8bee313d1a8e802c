#include "forms/Language.h"

#include "forms/main/frmVelkor.h"
#include "forms/password/frmCheckPWD.h"
#include "forms/password/frmSetPWD.h"
#include "forms/preferences/frmPreferences.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "profile/IniInOut.h"
#include "program/ErrorCheck.h"
#include "program/Program.h"
#include "program/SettingsFile.h"

namespace velkor {
namespace {

// One caption of a window: where the language file holds it and what takes it.
// `english` is the caption of the delivered English file: what the window shows when its
// language file, or the key in it, is missing.
template <class Window>
struct CaptionRow {
    const char* section;
    const char* key;
    const char* english;
    void (*assign)(Window& window, std::string caption, const char* english);
};

template <auto Member, class Window>
void Caption(Window& window, std::string caption, const char*) {
    (window.*Member).setCaption(std::move(caption));
}

// A menu caption "-" would make the entry a separator, and a separator for Exit would leave no
// way out: a file never turns an entry into one.
template <auto Member, class Window>
void MenuCaption(Window& window, std::string caption, const char* english) {
    (window.*Member).setCaption(caption == "-" ? std::string(english) : std::move(caption));
}

template <class Window>
void Title(Window& window, std::string caption, const char*) {
    window.setCaption(std::move(caption));
}

// The rows of each window, in the order they are assigned. Key and control name differ for
// cmdSetPWD, and both password dialogs' Cancel buttons share "cmdCancel" of "CheckPassword".
const CaptionRow<frmVelkor> kMainWindow[] = {
    {"Main", "lblDrive", "&Drive:", Caption<&frmVelkor::lblDrive>},
    {"Main", "chkAll", "&All CD/DVD drives", Caption<&frmVelkor::chkAll>},
    {"Main", "optLock", "&Lock", Caption<&frmVelkor::optLock>},
    {"Main", "optUnlock", "&Unlock", Caption<&frmVelkor::optUnlock>},
    {"Main", "optOpen", "&Open", Caption<&frmVelkor::optOpen>},
    {"Main", "optClose", "&Close", Caption<&frmVelkor::optClose>},
    {"MenuMain", "mnuLockAll", "Lock &all drives", MenuCaption<&frmVelkor::mnuLockAll>},
    {"MenuMain", "mnuUnlockAll", "Unlock &all drives", MenuCaption<&frmVelkor::mnuUnlockAll>},
    {"MenuMain", "mnuOpenAll", "Open &all drives", MenuCaption<&frmVelkor::mnuOpenAll>},
    {"MenuMain", "mnuCloseAll", "Close &all drives", MenuCaption<&frmVelkor::mnuCloseAll>},
    {"MenuMain", "mnuLock", "&Lock", MenuCaption<&frmVelkor::mnuLock>},
    {"MenuMain", "mnuUnlock", "&Unlock", MenuCaption<&frmVelkor::mnuUnlock>},
    {"MenuMain", "mnuOpen", "&Open", MenuCaption<&frmVelkor::mnuOpen>},
    {"MenuMain", "mnuClose", "&Close", MenuCaption<&frmVelkor::mnuClose>},
    {"MenuMain", "mnuShow", "&Show Velkor", MenuCaption<&frmVelkor::mnuShow>},
    {"MenuMain", "mnuExit", "E&xit", MenuCaption<&frmVelkor::mnuExit>},
    {"MenuMain", "mnuExit2", "E&xit", MenuCaption<&frmVelkor::mnuExit2>},
    {"MenuMain", "mnuFile", "&File", MenuCaption<&frmVelkor::mnuFile>},
    {"MenuMain", "mnuEdit", "&Edit", MenuCaption<&frmVelkor::mnuEdit>},
    {"MenuMain", "mnuPreferences", "&Preferences...", MenuCaption<&frmVelkor::mnuPreferences>},
    {"MenuMain", "mnuHelp", "&Help", MenuCaption<&frmVelkor::mnuHelp>},
    {"MenuMain", "mnuAbout", "&About Velkor", MenuCaption<&frmVelkor::mnuAbout>},
};

const CaptionRow<frmPreferences> kPreferences[] = {
    {"Preferences", "frmPreferences", "Preferences", Title},
    {"Preferences", "frmLanguage", "Lan&guage", Caption<&frmPreferences::frmLanguage>},
    {"Preferences", "chkMinimizeToTray", "&Minimize to tray at startup",
     Caption<&frmPreferences::chkMinimizeToTray>},
    {"Preferences", "chkSaveState", "&Use last drive state at startup",
     Caption<&frmPreferences::chkSaveState>},
    {"Preferences", "chkLockAll", "&Lock all drives at startup",
     Caption<&frmPreferences::chkLockAll>},
    {"Preferences", "chkResume", "&Save drive status at standby/hibernate",
     Caption<&frmPreferences::chkResume>},
    {"Preferences", "cmdApply", "&Apply", Caption<&frmPreferences::cmdApply>},
    {"Preferences", "chkPassword", "&Password protection", Caption<&frmPreferences::chkPassword>},
    {"Preferences", "cmdSetPassword", "Set pass&word...", Caption<&frmPreferences::cmdSetPWD>},
    {"Preferences", "cmdCheckUpdate", "Check &now...", Caption<&frmPreferences::cmdCheckUpdate>},
    {"Preferences", "lblManaged", "The settings are managed by your administrator.",
     Caption<&frmPreferences::lblManaged>},
};

const CaptionRow<frmSetPWD> kSetPassword[] = {
    {"SetPassword", "frmSetPWD", "Set Password", Title},
    {"SetPassword", "lblPasswordOld", "&Old password:", Caption<&frmSetPWD::lblPasswordOld>},
    {"SetPassword", "lblPasswordNew", "&New password:", Caption<&frmSetPWD::lblPasswordNew>},
    {"SetPassword", "lblPasswordNew2", "&Verify password:", Caption<&frmSetPWD::lblPasswordNew2>},
    {"CheckPassword", "cmdCancel", "Cancel", Caption<&frmSetPWD::cmdCancel>},
};

const CaptionRow<frmCheckPWD> kCheckPassword[] = {
    {"CheckPassword", "frmCheckPWD", "Password required", Title},
    {"CheckPassword", "cmdCancel", "Cancel", Caption<&frmCheckPWD::cmdCancel>},
    {"CheckPassword", "lblPassword", "&Password:", Caption<&frmCheckPWD::lblPassword>},
};

template <class Window, size_t N>
void Assign(const IniInOut::Reading& file, Window& window, const CaptionRow<Window> (&rows)[N]) {
    for (const CaptionRow<Window>& row : rows) {
        row.assign(window, file.Lookup(row.section, row.key).value_or(row.english), row.english);
    }
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

std::string Captions::LanguageFile(int16_t language) const {
    return files_.ProgramFolder() + "\\Language_" + std::to_string(language) + ".txt";
}

void Captions::LanguageNotFound() const {
    dialogs_.Show({"INI-File not found.", std::string(program::kTitle), Buttons::Ok, Icon::None});
}

void Captions::LoadLanguage(const std::string& settingsPath) {
    // A load within this one is answered by this one's reading of the language afterwards.
    if (loading_) return;
    loading_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{loading_};
    Guarded(dialogs_, "LoadLanguage()", [&] {
        if (!StoredLanguage(ini_, settingsPath)) {
            LanguageNotFound();
            return;
        }
        // The dialogs come into being, hidden, before any caption is set. The preferences
        // dialog's load selects the stored language and rewrites a number other than 0 and 1 as
        // English, so the number is read again: every window takes the language now stored.
        windows_.preferences.get();
        windows_.setPassword.get();
        windows_.checkPassword.get();
        const std::optional<int16_t> language = StoredLanguage(ini_, settingsPath);
        if (!language) {
            LanguageNotFound();
            return;
        }
        const IniInOut::Reading file = ini_.Read(LanguageFile(*language));  // read once for all
        Assign(file, *windows_.main, kMainWindow);
        Assign(file, *windows_.preferences, kPreferences);
        Assign(file, *windows_.setPassword, kSetPassword);
        Assign(file, *windows_.checkPassword, kCheckPassword);
    });
}

std::string Captions::FileOfStoredLanguage() const {
    return LanguageFile(StoredLanguage(ini_, SettingsFile(files_)).value_or(0));
}

void Captions::Load(frmSetPWD& dialog) const {
    Guarded(dialogs_, "LoadLanguage()",
            [&] { Assign(ini_.Read(FileOfStoredLanguage()), dialog, kSetPassword); });
}

void Captions::Load(frmCheckPWD& prompt) const {
    Guarded(dialogs_, "LoadLanguage()",
            [&] { Assign(ini_.Read(FileOfStoredLanguage()), prompt, kCheckPassword); });
}

}  // namespace velkor
