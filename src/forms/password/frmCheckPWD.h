#pragma once
// The password prompt. The gate (CheckPWD) shows it for one request and waits; the prompt
// answers that request, then unloads itself. A prompt that goes away unanswered refuses it.
#include <memory>

#include "forms/password/CheckPWD.h"
#include "ui/CommandButton.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/TextBox.h"

namespace velkor {

class Captions;
class Dialogs;
class PasswordFile;
class Session;

class frmCheckPWD : public ui::Form {
  public:
    struct Uses {
        Session& session;
        Dialogs& dialogs;
        const PasswordFile& passwordFile;
        const Captions& captions;
    };
    explicit frmCheckPWD(Uses uses);

    ui::TextBox txtPassword{"txtPassword"};
    ui::Label lblPassword{"lblPassword", "&Password:"};
    ui::CommandButton cmdOK{"cmdOK", "OK"};
    ui::CommandButton cmdCancel{"cmdCancel", "Cancel"};
    ui::Label lblPWD{"lblPWD"};

    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    // The request this opening answers.
    void Ask(std::shared_ptr<PasswordRequest> request) { request_ = std::move(request); }
    bool Pending() const { return request_ && !request_->answered; }
    void cmdOK_Click();
    void cmdCancel_Click();
    // Closing the window by the system (Alt+F4, a close message from outside) is Cancel.
    void CloseCommand() override { cmdCancel_Click(); }

  private:
    void Answer(bool succeeded);

    Uses use_;
    std::shared_ptr<PasswordRequest> request_;
};

}  // namespace velkor
