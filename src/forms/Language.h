#pragma once
// The captions of the main window, its menus, the preferences dialog and the two password
// dialogs come from the language file of the chosen language: "Language_" + number + ".txt" in
// the program folder, in the profile format, one section per window. A caption the file does
// not hold (the whole file missing or unreadable, or one key) is the delivered English one; a key
// that is there, even empty, is used as it stands.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/FormSlot.h"

namespace velkor {

class Dialogs;
class Files;
class IniInOut;
class frmCheckPWD;
class frmPreferences;
class frmSetPWD;
class frmVelkor;

// The language number of the settings file (section "Language", key "Language"); none when the
// file or the key is missing or the value is not a 16-bit number.
std::optional<int16_t> StoredLanguage(const IniInOut& ini, std::string_view settingsPath);

class Captions {
  public:
    // The windows whose captions come from the language file.
    struct Windows {
        ui::FormSlot<frmVelkor>& main;
        ui::FormSlot<frmPreferences>& preferences;
        ui::FormSlot<frmSetPWD>& setPassword;
        ui::FormSlot<frmCheckPWD>& checkPassword;
    };

    Captions(const IniInOut& ini, Files& files, Dialogs& dialogs, Windows windows)
        : ini_(ini), files_(files), dialogs_(dialogs), windows_(windows) {}

    // Sets every caption from the language file of the language stored in `settingsPath`.
    // Windows that are not loaded yet are loaded, hidden, first. When the language cannot be
    // read the user is told and nothing changes.
    void LoadLanguage(const std::string& settingsPath);

    // The set-password dialog and the password prompt are loaded afresh at each opening; their
    // load takes their captions from the language stored at that moment (English when it cannot
    // be read).
    void Load(frmSetPWD& dialog) const;
    void Load(frmCheckPWD& prompt) const;

  private:
    std::string LanguageFile(int16_t language) const;
    // The language file of the language stored now; English's when none can be read.
    std::string FileOfStoredLanguage() const;
    void LanguageNotFound() const;

    const IniInOut& ini_;
    Files& files_;
    Dialogs& dialogs_;
    Windows windows_;
    bool loading_ = false;  // the preferences dialog's load, within ours, asks for it again
};

}  // namespace velkor
