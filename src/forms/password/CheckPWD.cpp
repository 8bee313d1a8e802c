#include "forms/password/CheckPWD.h"

#include "forms/password/frmCheckPWD.h"
#include "password/PasswordFile.h"
#include "platform/Dialogs.h"
#include "program/Messages.h"
#include "program/Program.h"
#include "program/Session.h"
#include "program/WaitWithEvents.h"

namespace velkor {

void TellUnreadable(const PasswordFile& file, const FileError& problem, Dialogs& dialogs,
                    bool german) {
    const std::string text =
        Say(Msg::PasswordFileUnreadable, german, {file.Path(), problem.reason});
    dialogs.Show({text, std::string(program::kTitle), Buttons::Ok, Icon::Critical});
}

bool RefusedForUnreadableFile(const PasswordFile& file, const StoredPassword& stored,
                              Dialogs& dialogs, bool german) {
    if (!stored.unreadable) return false;
    TellUnreadable(file, *stored.unreadable, dialogs, german);
    return true;
}

bool PasswordCheck::Ask() {
    if (RefusedForUnreadableFile(file_, file_.Read(), dialogs_, session_.GermanTexts())) {
        return false;
    }
    if (!session_.personPresent()) {  // a prompt nobody sees would wait for ever
        dialogs_.Show({Say(Msg::NobodyToAsk, session_.GermanTexts()), std::string(program::kTitle),
                       Buttons::Ok, Icon::Critical});
        return false;
    }
    if (prompt_.loaded() && prompt_->Pending()) {
        prompt_->activate();
        return false;
    }
    auto request = std::make_shared<PasswordRequest>();
    ui::OpenAfresh(prompt_).Ask(request);
    auto over = [&] {
        return request->answered || session_.ended();
    };
    while (!over()) WaitWithEvents(loop_, 1000, over);
    return !session_.ended() && request->accepted;
}

}  // namespace velkor
