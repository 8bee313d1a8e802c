#pragma once
// The main window: the drive selector, the four actions, the all-drives switch and the action
// button (its member functions are defined in the files each group below names); the tray pop-up
// menu with its per-drive submenus; the form-level state through which the other windows and
// modules work. It exists once for the whole run.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drives/DriveControl.h"
#include "drives/DriveList.h"
#include "platform/CommandReply.h"
#include "platform/Device.h"
#include "program/CommandLine.h"
#include "ui/CheckBox.h"
#include "ui/CommandButton.h"
#include "ui/Form.h"
#include "ui/FormSlot.h"
#include "ui/ImageCombo.h"
#include "ui/Menu.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"
#include "ui/Timer.h"

namespace velkor {

class APIStuff;
class CDOpenClose;
class Captions;
class Dialogs;
class Drives;
class EventLoop;
class Files;
class Instance;
class IniInOut;
class ManagedSettings;
class PasswordCheck;
class PasswordFile;
class Session;
class frmAbout;
class frmCheckPWD;
class frmPreferences;
class frmSetPWD;

// The one-byte lock request handed to the device: 1 prevent removal (lock), 0 allow (unlock).
struct PREVENT_MEDIA_REMOVAL {
    uint8_t PreventMediaRemoval = 0;
};

// What the action button does, as the options chose it; None before any option handler ran.
enum class Action : int16_t { None = 0, Lock = 1, Unlock = 2, Open = 3, Close = 4 };

class frmVelkor : public ui::Form {
  public:
    struct Uses {
        Session& session;
        Dialogs& dialogs;
        Files& files;
        Instance& instance;
        Drives& drives;
        Device& device;
        EventLoop& loop;
        IniInOut& ini;
        PasswordFile& passwordFile;
        ManagedSettings& managed;
        CDOpenClose& doors;
        APIStuff& trayIcon;
        Captions& captions;
        PasswordCheck& password;
        CommandReply& reply;
        // The other windows: the preferences dialog holds the options; all go with this one.
        ui::FormSlot<frmPreferences>& preferences;
        ui::FormSlot<frmSetPWD>& setPassword;
        ui::FormSlot<frmCheckPWD>& checkPassword;
        ui::FormSlot<frmAbout>& about;
    };
    explicit frmVelkor(Uses uses);

    // Visible controls. The label names the selector for the keyboard (its access key) and for
    // screen readers (the label right before a control names it).
    ui::Label lblDrive{"lblDrive", "&Drive:"};
    ui::ImageCombo imgCboDrives{"imgCboDrives"};
    ui::CheckBox chkAll{"chkAll", "all CD/DVD drives"};
    ui::OptionGroup actions;
    ui::OptionButton optLock{actions, "optLock", "Lock"};
    ui::OptionButton optUnlock{actions, "optUnlock", "Unlock"};
    ui::OptionButton optOpen{actions, "optOpen", "Open"};
    ui::OptionButton optClose{actions, "optClose", "Close"};
    ui::CommandButton cmdDo{"cmdDo", "OK"};
    // The resume signal: model only, never a window another program could reach.
    ui::TextBox txtPWRMessage{"txtPWRMessage", "Text1"};

    ui::Timer TimerSuspend{"TimerSuspend", 5000};
    // Runs once a burst of device notifications has settled (DriveChanges.cpp).
    ui::Timer TimerDrives{"TimerDrives", 500, false};
    // Runs the commands scripts sent, once their message has been answered (Commands.cpp).
    ui::Timer TimerCommand{"TimerCommand", 10, false};

    // Menus, in menu order.
    ui::Menu mnuPopup{"mnuPopup", "PopupMenu"};
    ui::Menu mnuLock{"mnuLock", "Lock"};
    ui::MenuArray mnuLockSub{"mnuLockSub", "mnuLockSub"};
    ui::Menu mnuLockAll{"mnuLockAll", "Lock All Devices"};
    ui::Menu mnuUnlock{"mnuUnlock", "Unlock"};
    ui::MenuArray mnuUnlockSub{"mnuUnlockSub", "mnuUnlockSub"};
    ui::Menu mnuUnlockAll{"mnuUnlockAll", "Unlock all devices"};
    ui::Menu mnuSep2{"mnuSep2", "-"};
    ui::Menu mnuOpen{"mnuOpen", "Open"};
    ui::MenuArray mnuOpenSub{"mnuOpenSub", "mnuOpenSub"};
    ui::Menu mnuOpenAll{"mnuOpenAll", "Open All Devices"};
    ui::Menu mnuClose{"mnuClose", "Close"};
    ui::MenuArray mnuCloseSub{"mnuCloseSub", "mnuCloseSub"};
    ui::Menu mnuCloseAll{"mnuCloseAll", "Close All Devices"};
    ui::Menu mnuSep1{"mnuSep1", "-"};
    ui::Menu mnuShow{"mnuShow", "Maximze"};
    ui::Menu mnuExit{"mnuExit", "Exit"};
    ui::Menu mnuFile{"mnuFile", "&File"};
    ui::Menu mnuExit2{"mnuExit2", "E&xit", "Ctrl+X"};
    ui::Menu mnuEdit{"mnuEdit", "&Edit"};
    ui::Menu mnuPreferences{"mnuPreferences", "Preferences"};
    ui::Menu mnuHelp{"mnuHelp", "Help"};
    ui::Menu mnuAbout{"mnuAbout", "About"};

    // Form-level state.
    PREVENT_MEDIA_REMOVAL udtPMR;
    bool blnAllDrives = false;
    // The drives and their locks, in step with the selector and the submenus.
    DriveList drives{imgCboDrives, {mnuLockSub, mnuUnlockSub, mnuOpenSub, mnuCloseSub}};
    bool blnRecordState = false;
    bool blnSkipPassword = false;
    Action intAction = Action::None;
    std::string strIniFile;

    // Start-up (frmVelkor.cpp).
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    // Set when start-up found another running copy: the program ends at once.
    bool endAtOnce() const { return endAtOnce_; }
    // Set when start-up put the program into the notification area: the window stays hidden.
    bool startsInTray() const { return startsInTray_; }
    // Takes the Close command off the window: only Exit ends the program.
    void DisableCloseButton() { disableClose(); }

    // The drives (DriveHandlers.cpp): the list in the selector and the submenus, the media lock
    // (udtPMR on the selected drive or on the first intCountDevicesCD), the tray doors, and the
    // recorded states applied again. The work is the drive module's (DriveControl).
    void Get_Driveletter(std::string& strDrive);
    void AddMenuItem(const std::string& strCaption, const std::string& strMenu);
    void Velkor(int16_t intCountDevicesCD, bool blnAll);
    void SetCurrentState();
    void OpenCD();
    void CloseCD();

    // Action dispatch (ActionDispatch.cpp).
    void optLock_Click();
    void optUnlock_Click();
    void optOpen_Click();
    void optClose_Click();
    void chkAll_Click();
    void cmdDo_Click();
    void mnuLockAll_Click();
    void mnuUnlockAll_Click();
    void mnuOpenAll_Click();
    void mnuCloseAll_Click();
    void mnuLockSub_Click(int16_t Index);
    void mnuUnlockSub_Click(int16_t Index);
    void mnuOpenSub_Click(int16_t Index);
    void mnuCloseSub_Click(int16_t Index);

    // Shutdown (Shutdown.cpp) and the remaining menu commands (frmVelkor.cpp).
    void mnuExit_Click();
    void mnuExit2_Click();
    void Exit_Velkor(bool& bExit);
    void mnuShow_Click();
    void mnuPreferences_Click();
    void mnuAbout_Click();

    // Notification-area icon and resume (frmVelkor.cpp; the icon's window procedure is in
    // APIStuff.cpp, the resume timer in WindowProc.cpp).
    void SetTrayMenuItems(int32_t state);
    ui::WindowState LastState() const { return lastState_; }
    void TimerSuspend_Timer();

    // Drives that come and go while the program runs (DriveChanges.cpp): a device notification
    // starts TimerDrives again; its tick lists the drives anew once no action, prompt, message
    // box or menu is open, and gives a new drive the start-up policy.
    std::optional<intptr_t> DeviceWindowProc(const ui::WindowMessage& m);
    void TimerDrives_Timer();

    // Commands from scripts (Commands.cpp): a command process hands one over and waits; it runs
    // through the same paths as the pop-up menu's entries (the gate, the password prompt, the
    // record, the selector and the submenus) and its answer goes back when it has ended.
    std::optional<intptr_t> CommandWindowProc(const ui::WindowMessage& m);
    void TimerCommand_Timer();
    CommandAnswer RunCommand(const Command& command);

  private:
    void FollowDrives();
    void LoadForCommand();
    // "D: locked" lines of entry k (every entry for 0), as held or as recorded.
    std::string StateLines(int entry, bool recorded) const;
    std::vector<CommandRequest> commands_;  // handed over, not run yet
    int commandProc_ = 0;
    bool menuOpen_ = false;     // a menu of this window (the bar's or the pop-up) is open
    uint32_t volumesGone_ = 0;  // letters taken away since the drives were last listed (bit 0: A:)
    int deviceProc_ = 0;
    // What cmdDo_Click was asked to do: the action, the scope and the selected drive.
    struct ActionRequest {
        Action action;
        bool allDrives;
        int chkAll;
        int entry;
    };
    ActionRequest CurrentRequest() const;
    // Runs a user's action (a click, a tray entry, Exit) unless another runs; then the user is
    // told instead.
    void RunAction(std::string_view procName, const std::function<void()>& action);
    // The action button's work on the window's current request. False when the password gate
    // refused it.
    bool RunRequest();
    void RestoreRequest(const ActionRequest& request);

    void BuildDriveList();
    void ApplyStartUpPolicy(int16_t deviceAll, int16_t useLastState);
    void SelectAction(ui::OptionButton& option, Action action);
    void TrayAllDrives(ui::OptionButton& option);
    void TraySingleDrive(int16_t index, void (frmVelkor::*selectOption)());

    Uses use_;
    DriveControl driveControl_{
        {use_.session, use_.dialogs, use_.device, use_.ini, use_.doors, use_.managed},
        drives,
        blnRecordState,
        strIniFile};
    bool endAtOnce_ = false;
    bool startsInTray_ = false;
    ui::WindowState lastState_ = ui::WindowState::Normal;
    int powerProc_ = 0;  // the power window procedure's place on the window, 0 when not there
    bool resumedAutomatically_ = false;  // this wake from standby has been signalled
    void StartInTray();
};

}  // namespace velkor
