#pragma once
// The about box: title, version and copyright, the request for donations, and three links
// (web site, support e-mail, donation page) that act while the pointer is over their text.
#include <string_view>

#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Shell.h"
#include "program/Session.h"
#include "ui/CommandButton.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/TextBox.h"

namespace velkor {

class frmAbout : public ui::Form {
  public:
    frmAbout(const Session& session, Dialogs& dialogs, const Files& files, Shell& shell);

    ui::Label lblTitle{"lblTitle", "Velkor"};
    ui::TextBox txtAbout1{"txtAbout1", "Velkor"};
    ui::Label lblAbout2{"lblAbout2", "Internet:"};
    ui::Label lblHyperlink{"lblHyperlink"};
    ui::Label lblAbout3{"lblAbout3", "Email:"};
    ui::Label lblEmail{"lblEmail"};
    ui::Frame Frame1{"Frame1"};
    ui::TextBox txtAbout2{"txtAbout2", "Spendentext"};
    ui::Picture imgDonation{"imgDonation"};
    ui::CommandButton cmdExitAbout{"cmdExitAbout", "OK"};

    // True while the pointer is over the text band of a link; only then do clicks open it.
    bool LinkHover = false;

    void Form_Load() override;
    void Form_MouseMove(int button, int shift, int x, int y);
    void lblHyperlink_MouseMove(int button, int shift, int x, int y);
    void lblEmail_MouseMove(int button, int shift, int x, int y);
    void imgDonation_MouseMove(int button, int shift, int x, int y);
    void lblHyperlink_Click();
    void lblEmail_Click();
    void imgDonation_Click();
    void cmdExitAbout_Click();
    // The box has no close box; Alt+F4 and a close message from outside act as OK.
    void CloseCommand() override { cmdExitAbout_Click(); }

  private:
    // The hover rule of one link: `measured` is the text whose height makes the band.
    void LinkMouseMove(ui::Control& link, std::string_view measured, int y,
                       std::string_view procName);
    // Opens `target` while the pointer is over the link, or at once from the keyboard.
    void Open(std::string_view procName, const std::string& target, bool byKeyboard = false);

    const Session& session_;
    Dialogs& dialogs_;
    const Files& files_;
    Shell& shell_;
};

}  // namespace velkor
