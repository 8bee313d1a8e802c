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

class App;
class IniInOut;
class frmSetPWD;
class frmCheckPWD;

// The language number of the settings file (section "Language", key "Language"); none when the
// file or the key is missing or the value is not a 16-bit number.
std::optional<int16_t> StoredLanguage(const IniInOut& ini, std::string_view settingsPath);

// Sets every caption from the language file of the language stored in `settingsPath`. Windows
// that are not loaded yet are loaded, hidden, first. When the language cannot be read the user
// is told and nothing changes.
void LoadLanguage(App& app, const std::string& settingsPath);

// The set-password dialog and the password prompt are loaded afresh at each opening; their
// load takes their captions from the language stored at that moment (English when it cannot be
// read).
void LoadCaptions(App& app, frmSetPWD& dialog);
void LoadCaptions(App& app, frmCheckPWD& prompt);

// Shows a password dialog. Loading the captions leaves these dialogs loaded and hidden; a hidden
// one is loaded afresh first, so that every opening starts from the password file and the
// language as they are now. One already open stays as it is.
template <class Dialog>
Dialog& OpenAfresh(ui::FormSlot<Dialog>& slot) {
    if (slot.loaded() && !slot->visible()) slot.unload();
    Dialog& dialog = slot.get();
    dialog.show();
    return dialog;
}

}  // namespace velkor
