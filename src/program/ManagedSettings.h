#pragma once
// Settings an administrator has locked: a settings file or a password file that cannot be
// written (read-only, or access denied, as a per-machine install gives ordinary users). The
// program then writes nothing there and reports nothing: a drive's lock record is kept for the
// run only, and the options that cannot be stored are shown disabled.
#include "platform/Files.h"
#include "program/SettingsFile.h"

namespace velkor {

class ManagedSettings {
  public:
    explicit ManagedSettings(const Files& files) : files_(files) {}

    // Looks again at both files: at start-up and whenever the preferences dialog opens.
    void Decide() {
        settings_ = !files_.CanWrite(SettingsFile(files_));
        password_ = !files_.CanWrite(PasswordFilePath(files_));
    }
    // The settings file cannot be written.
    bool settings() const { return settings_; }
    // The password file cannot be written.
    bool password() const { return password_; }

  private:
    const Files& files_;
    bool settings_ = false;
    bool password_ = false;
};

}  // namespace velkor
