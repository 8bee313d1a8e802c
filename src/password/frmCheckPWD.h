#pragma once
// The password prompt. The gate (CheckPWD) shows it and waits; the prompt tells the gate the
// outcome through the main window's flags chkWait and chkPWDSucceeded, then unloads itself.
#include "ui/CommandButton.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/TextBox.h"

namespace velkor {

class App;

class frmCheckPWD : public ui::Form {
  public:
    explicit frmCheckPWD(App& app);

    ui::TextBox txtPassword{"txtPassword"};
    ui::Label lblPassword{"lblPassword", "&Password:"};
    ui::CommandButton cmdOK{"cmdOK", "OK"};
    ui::CommandButton cmdCancel{"cmdCancel", "Cancel"};
    ui::Label lblPWD{"lblPWD"};

    void Form_Load() override;
    void cmdOK_Click();
    void cmdCancel_Click();
    // Closing the window by the system (Alt+F4, a close message from outside) is Cancel.
    void CloseCommand() override { cmdCancel_Click(); }

  private:
    void Answer(bool succeeded);

    App& app_;
};

}  // namespace velkor
