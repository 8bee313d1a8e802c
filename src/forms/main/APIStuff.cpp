#include "forms/main/APIStuff.h"

#include "forms/main/frmVelkor.h"
#include "platform/Messages.h"

namespace velkor {

bool APIStuff::AddTrayIcon(frmVelkor& frm, ui::Menu& mnu) {
    frmTray = &frm;
    mnuTray = &mnu;
    // On the window before the icon exists, so that its first message already arrives here.
    frm.installWindowProc([this](const ui::WindowMessage& m) { return TrayWindowProc(m); });
    shown_ = tray_.Add(frm, msg::kTrayCallback);
    return shown_;
}

void APIStuff::SetTrayTip(const std::string& strTip) {
    tip_ = strTip;
    tray_.SetTip(strTip);
}

void APIStuff::RemoveTrayIcon() {
    if (frmTray) tray_.Remove();
    frmTray = nullptr;
    shown_ = false;
}

void APIStuff::AddAgain() {
    // The taskbar was (re)started: its icons are gone, ours is added anew with its tooltip.
    shown_ = tray_.Add(*frmTray, msg::kTrayCallback);
    if (!shown_) return;
    if (!tip_.empty()) tray_.SetTip(tip_);
    // A window minimised to the taskbar while there was no icon goes where a minimise puts it
    // now that there is one.
    if (frmTray->visible() && frmTray->windowState() == ui::WindowState::Minimized) {
        frmTray->hide();
        frmTray->setShowInTaskbar(false);
    }
}

void APIStuff::OnIconEvent(uint32_t event, uintptr_t anchor) {
    frmVelkor& frm = *frmTray;
    if (event == msg::kNinSelect || event == msg::kNinKeySelect) {
        frm.show();
        if (frm.windowState() == ui::WindowState::Minimized) frm.setWindowState(frm.LastState());
        frm.activate();
        return;
    }
    // At the anchor the shell gives (the click, or the icon for the keyboard); returns after
    // the chosen entry's handler has run. The window is brought to the front first and nudged
    // afterwards, so that the menu closes when the user clicks elsewhere.
    const ui::ScreenPoint at{static_cast<int16_t>(anchor & 0xFFFF),
                             static_cast<int16_t>((anchor >> 16) & 0xFFFF)};
    const bool chosen = frm.PopupMenu(*mnuTray, at);
    // Left with Escape: the keyboard focus goes back to the icon. (An Exit chosen there has
    // taken the icon away.)
    if (!chosen && frmTray) tray_.GiveFocusBack();
}

std::optional<intptr_t> APIStuff::TrayWindowProc(const ui::WindowMessage& m) {
    if (!frmTray) return std::nullopt;  // the icon is gone: the window is left alone
    if (m.message == tray_.TaskbarCreatedMessage()) {
        AddAgain();
        return std::nullopt;  // others on the window may want to hear it too
    }
    if (m.message == msg::kTrayCallback) {
        // A click also sends the button messages before its meaning: only the meaning acts.
        const uint32_t event = static_cast<uint32_t>(m.lParam & 0xFFFF);
        if (event != msg::kNinSelect && event != msg::kNinKeySelect && event != msg::kContextMenu)
            return std::nullopt;
        OnIconEvent(event, m.wParam);
        return 0;
    }
    if (m.message == msg::kSysCommand) {
        // The low four bits of a system command are the system's own.
        const uintptr_t command = m.wParam & 0xFFF0;
        // Without an icon the window minimises to the taskbar: hidden, it could not be reached.
        if (command == msg::kScMinimize && shown_) {
            frmTray->hide();
            frmTray->SetTrayMenuItems(1);
            return 0;
        }
        if (command == msg::kScRestore && !frmTray->visible()) {
            frmTray->show();
            frmTray->SetTrayMenuItems(0);
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace velkor
