// The main window: its controls and menus, its start-up and its shutdown.
#include "forms/main/frmVelkor.h"

#include <functional>

#include "forms/Language.h"
#include "forms/about/frmAbout.h"
#include "forms/main/APIStuff.h"
#include "forms/main/WindowProc.h"
#include "forms/preferences/frmPreferences.h"
#include "password/PasswordFile.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/Instance.h"
#include "profile/IniInOut.h"
#include "program/ErrorCheck.h"
#include "program/ManagedSettings.h"
#include "program/Program.h"
#include "program/SettingsFile.h"
#include "program/Timeline.h"
#include "program/WaitWithEvents.h"

namespace velkor {

frmVelkor::frmVelkor(Uses uses) : Form("frmVelkor", std::string(program::kTitle)), use_(uses) {
    setClientSize(2535, 2925);
    struct Place {
        ui::Control& control;
        ui::Bounds bounds;
        const char* toolTip;
    };
    // In reading order, which is also the order of the Tab key.
    const Place layout[] = {
        {lblDrive, {120, 120, 2295, 255}, ""},
        {imgCboDrives, {120, 390, 2295, 330}, ""},
        {chkAll, {240, 870, 1695, 255}, "enable to perform action at all devices"},
        {optLock, {600, 1230, 1335, 255}, "lock the CD-Rom button"},
        {optUnlock, {600, 1470, 1335, 255}, "unlock the CD-Rom button"},
        {optOpen, {600, 1830, 1335, 255}, "open CD/DVD drive"},
        {optClose, {600, 2070, 1335, 255}, "close CD/DVD drive (if supportet by the drive)"},
        {cmdDo, {600, 2430, 1215, 375}, ""},
    };
    int tabIndex = 0;
    for (const Place& place : layout) {
        place.control.setBounds(place.bounds);
        place.control.setTabIndex(tabIndex++);
        place.control.setToolTip(place.toolTip);
        adopt(place.control);
    }
    // The label before the selector names it on Windows; the list says so itself as well, for
    // accessibility layers that read only its text (the selected entry).
    imgCboDrives.setNamedBy(lblDrive);
    // txtPWRMessage is not adopted: it lives in the model only, with no window another program
    // could write to.
    optUnlock.select();  // selected when the window is created; no handler is attached yet
    cmdDo.setDefault(true);

    // The tray pop-up menu: never in the menu bar.
    mnuPopup.setVisible(false);
    struct Submenu {
        ui::Menu& menu;
        ui::MenuArray& drives;
        ui::Menu& all;
    };
    for (Submenu sub :
         {Submenu{mnuLock, mnuLockSub, mnuLockAll}, Submenu{mnuUnlock, mnuUnlockSub, mnuUnlockAll},
          Submenu{mnuOpen, mnuOpenSub, mnuOpenAll}, Submenu{mnuClose, mnuCloseSub, mnuCloseAll}}) {
        sub.drives[0].setVisible(false);  // the template of the drive entries
        sub.menu.add(sub.drives);
        sub.menu.add(sub.all);
    }
    mnuPopup.add(mnuLock);
    mnuPopup.add(mnuUnlock);
    mnuPopup.add(mnuSep2);
    mnuPopup.add(mnuOpen);
    mnuPopup.add(mnuClose);
    mnuPopup.add(mnuSep1);
    mnuPopup.add(mnuShow);
    mnuPopup.add(mnuExit);
    mnuFile.add(mnuExit2);
    mnuEdit.add(mnuPreferences);
    mnuHelp.add(mnuAbout);
    for (ui::Menu* top : {&mnuPopup, &mnuFile, &mnuEdit, &mnuHelp}) adopt(*top);
    adopt(TimerSuspend);
    TimerSuspend.onTimer = [this] {
        TimerSuspend_Timer();
    };
    adopt(TimerDrives);
    TimerDrives.onTimer = [this] {
        TimerDrives_Timer();
    };
    adopt(TimerCommand);
    TimerCommand.onTimer = [this] {
        TimerCommand_Timer();
    };

    optLock.onClick = [this] {
        optLock_Click();
    };
    optUnlock.onClick = [this] {
        optUnlock_Click();
    };
    optOpen.onClick = [this] {
        optOpen_Click();
    };
    optClose.onClick = [this] {
        optClose_Click();
    };
    chkAll.onClick = [this] {
        chkAll_Click();
    };
    cmdDo.onClick = [this] {
        cmdDo_Click();
    };
    mnuLockAll.onClick = [this] {
        mnuLockAll_Click();
    };
    mnuUnlockAll.onClick = [this] {
        mnuUnlockAll_Click();
    };
    mnuOpenAll.onClick = [this] {
        mnuOpenAll_Click();
    };
    mnuCloseAll.onClick = [this] {
        mnuCloseAll_Click();
    };
    mnuLockSub.onClick = [this](int i) {
        mnuLockSub_Click(static_cast<int16_t>(i));
    };
    mnuUnlockSub.onClick = [this](int i) {
        mnuUnlockSub_Click(static_cast<int16_t>(i));
    };
    mnuOpenSub.onClick = [this](int i) {
        mnuOpenSub_Click(static_cast<int16_t>(i));
    };
    mnuCloseSub.onClick = [this](int i) {
        mnuCloseSub_Click(static_cast<int16_t>(i));
    };
    mnuShow.onClick = [this] {
        mnuShow_Click();
    };
    mnuExit.onClick = [this] {
        mnuExit_Click();
    };
    mnuExit2.onClick = [this] {
        mnuExit2_Click();
    };
    mnuPreferences.onClick = [this] {
        mnuPreferences_Click();
    };
    mnuAbout.onClick = [this] {
        mnuAbout_Click();
    };
}

namespace {

// A start-up setting: a missing or non-numeric value counts as 0, so that start-up always
// reaches the drive list (a file written by the preferences dialog has no "Delay", for one).
template <class Number, class Convert>
Number SettingOrZero(const IniInOut::Reading& settings, const char* key, Convert convert) {
    std::string text = settings.ReadIni("Default", key);
    Number value = 0;
    if (Attempt([&] { value = convert(text); })) return 0;
    return value;
}

// A start-up switch is mirrored into a check box: a value the box cannot take counts as 0 too,
// instead of stopping start-up before any drive is listed.
int16_t SwitchOrZero(const IniInOut::Reading& settings, const char* key) {
    const auto value = SettingOrZero<int16_t>(settings, key, ToInt16);
    return value >= 0 && value <= 2 ? value : 0;
}

}  // namespace

void frmVelkor::Form_Load() {
    if (use_.session.commandOnly()) {
        Guarded(use_.dialogs, "frmVelkor.Form_Load()", [&] { LoadForCommand(); });
        return;
    }
    int16_t deviceAll = 0, useLastState = 0, minimize = 0, standby = 0;
    int32_t delay = 0;

    // The steps of start-up, in order. An error ends start-up, except "Disk not ready" (a drive
    // without a medium), which only skips its step; "Type mismatch" ends it without a message.
    const std::function<void()> steps[] = {
        [&] {
            if (use_.instance.AnotherIsRunning()) endAtOnce_ = true;
        },
        [&] { DisableCloseButton(); },
        [&] { blnRecordState = false; },
        [&] { blnAllDrives = true; },
        [&] { strIniFile = SettingsFile(use_.files); },
        [&] { use_.managed.Decide(); },  // before anything is written
        [&] {
            use_.captions.LoadLanguage(strIniFile);
        },  // every caption, and the dialogs loaded hidden
        [&] {
            const IniInOut::Reading settings = use_.ini.Read(strIniFile);  // once for all five
            deviceAll = SwitchOrZero(settings, "DeviceAll");
            useLastState = SwitchOrZero(settings, "UseLastState");
            minimize = SwitchOrZero(settings, "Minimize");
            standby = SwitchOrZero(settings, "Standby");
            delay = SettingOrZero<int32_t>(settings, "Delay", ToInt32);
        },
        [&] {
            frmPreferences& preferences = *use_.preferences;  // loads it, hidden
            preferences.chkLockAll.setValue(deviceAll);
            preferences.chkSaveState.setValue(useLastState);
            preferences.chkMinimizeToTray.setValue(minimize);
            preferences.chkResume.setValue(standby);
        },
        [&] {
            // Protection is on exactly when a password is stored, or when the password file is
            // there but cannot be read; ticking the switch only enables cmdSetPWD.
            use_.preferences->chkPassword.setValue(use_.passwordFile.Protects() ? 1 : 0);
        },
        [&] {
            bool restore = useLastState == 1;
            use_.preferences->chkSaveState.setValue(restore ? 1 : 0);
            use_.preferences->chkLockAll.setEnabled(!restore);
        },
        [&] { use_.preferences->ShowManagedMode(); },
        [&] {
            if (delay >= 0) WaitWithEvents(use_.loop, delay);  // negative: no wait
        },
        [&] { BuildDriveList(); },
        [&] {
            if (drives.count() > 0) imgCboDrives.select(1);
        },
        [&] { drives.ForgetLocks(); },
        [&] {  // udtPMR is 0: unlocks every drive
            Velkor(static_cast<int16_t>(drives.count()), blnAllDrives);
        },
        [&] { drives.ForgetLocks(); },
        [&] { blnRecordState = true; },
        [&] { ApplyStartUpPolicy(deviceAll, useLastState); },
        [&] {
            if (blnAllDrives) RunRequest();
        },
        [&] {
            chkAll.setValue(0);
            blnAllDrives = false;
        },
        [&] {
            if (minimize == 1) StartInTray();
        },
        [&] { txtPWRMessage.setText(kNoResumeYet); },
        [&] {
            powerProc_ = installWindowProc([this](const ui::WindowMessage& m) {
                return PowerWindowProc(*this, resumedAutomatically_, m);
            });
        },
        [&] {  // from here on the list follows drives that come and go
            deviceProc_ = installWindowProc(
                [this](const ui::WindowMessage& m) { return DeviceWindowProc(m); });
        },
        [&] {  // and scripts' commands are taken
            commandProc_ = installWindowProc(
                [this](const ui::WindowMessage& m) { return CommandWindowProc(m); });
        },
    };
    for (const auto& step : steps) {
        std::optional<RuntimeError> error = Attempt(step);
        timeline::Mark("main window load step", std::to_string(&step - steps + 1));
        if (endAtOnce_) return;
        if (!error || error->number() == err::kDiskNotReady) continue;
        if (error->number() != err::kTypeMismatch) {
            ReportError(use_.dialogs, error->number(), error->description(),
                        "frmVelkor.Form_Load()");
        }
        return;
    }
}

void frmVelkor::ApplyStartUpPolicy(int16_t deviceAll, int16_t useLastState) {
    if (useLastState == 1) {
        blnAllDrives = false;
        chkAll.setValue(0);
        SetCurrentState();
    } else if (deviceAll == 1) {
        blnAllDrives = true;
        chkAll.setValue(1);
        optLock_Click();
    } else {
        blnAllDrives = true;
        chkAll.setValue(0);  // unchanged: blnAllDrives stays True
        optUnlock_Click();
    }
}

void frmVelkor::StartInTray() {
    const bool added = use_.trayIcon.AddTrayIcon(*this, mnuPopup);
    use_.trayIcon.SetTrayTip(std::string(program::kTitle));
    // Without the notification area (right after log-on, say) the window starts minimised to
    // the taskbar, within reach; the icon comes when the taskbar does, and takes the window
    // along unless the user has restored it meanwhile.
    startsInTray_ = added;
    if (!added) {
        setWindowState(ui::WindowState::Minimized);
        return;
    }
    hide();
    setShowInTaskbar(false);
}

void frmVelkor::SetTrayMenuItems(int32_t state) {
    // Hidden to the icon (1): remember how the window looked, for a restore from the icon.
    if (state == 1 && windowState() != ui::WindowState::Minimized) lastState_ = windowState();
}

void frmVelkor::mnuShow_Click() {
    setWindowState(ui::WindowState::Normal);
    show();
}

void frmVelkor::mnuPreferences_Click() {
    frmPreferences& preferences = *use_.preferences;
    use_.managed.Decide();  // the administrator may have changed the files meanwhile
    preferences.ShowManagedMode();
    preferences.show();
    preferences.activate();  // also when it was open already, behind another window
}

void frmVelkor::mnuAbout_Click() {
    use_.about->show();
}

}  // namespace velkor
