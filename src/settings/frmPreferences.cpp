#include "settings/frmPreferences.h"

namespace velkor {

frmPreferences::frmPreferences() : Form("frmPreferences", "Preferences") {
    setClientSize(4800, 3600);
    struct Place {
        ui::Control& control;
        ui::Bounds bounds;
    };
    const Place layout[] = {
        {chkLockAll, {240, 240, 4300, 255}},        {chkSaveState, {240, 540, 4300, 255}},
        {chkMinimizeToTray, {240, 840, 4300, 255}}, {frmPrefLaunch, {120, 1140, 4560, 1020}},
        {chkPassword, {240, 1380, 2400, 255}},      {cmdSetPWD, {2880, 1320, 1560, 375}},
        {chkResume, {240, 1740, 4300, 255}},        {frmLanguage, {120, 2280, 2160, 720}},
        {optEnglish, {240, 2520, 900, 255}},        {optGerman, {1200, 2520, 960, 255}},
        {frmUpdate, {2400, 2280, 2280, 720}},       {cmdCheckUpdate, {2520, 2520, 2040, 375}},
        {cmdApply, {3480, 3120, 1200, 375}},
    };
    int tab = 0;
    for (const Place& place : layout) {
        place.control.setBounds(place.bounds);
        place.control.setTabIndex(tab++);
        adopt(place.control);
    }
    cmdSetPWD.setEnabled(false);
    chkPassword.onClick = [this] {
        chkPassword_Click();
    };
}

void frmPreferences::chkPassword_Click() {
    cmdSetPWD.setEnabled(chkPassword.value() == 1);
}

}  // namespace velkor
