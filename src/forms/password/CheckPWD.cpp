#include "forms/password/CheckPWD.h"

#include "app/App.h"
#include "forms/Language.h"
#include "program/Messages.h"
#include "program/Program.h"
#include "program/WaitWithEvents.h"

namespace velkor {

bool RefusedForUnreadableFile(App& app) {
    const std::optional<FileError> problem = app.passwordFile.Unreadable();
    if (!problem) return false;
    const std::string text = Say(Msg::PasswordFileUnreadable, app.GermanTexts(),
                                 {app.passwordFile.Path(), problem->reason});
    app.ports.dialogs.Show({text, std::string(program::kTitle), Buttons::Ok, Icon::Critical});
    return true;
}

bool AskPassword(App& app) {
    if (RefusedForUnreadableFile(app)) return false;
    if (app.checkPassword.loaded() && app.checkPassword->Pending()) {
        app.checkPassword->activate();
        return false;
    }
    auto request = std::make_shared<PasswordRequest>();
    OpenAfresh(app.checkPassword).Ask(request);
    auto over = [&] {
        return request->answered || app.ended();
    };
    while (!over()) WaitWithEvents(app.ports.loop, 1000, over);
    return !app.ended() && request->accepted;
}

}  // namespace velkor
