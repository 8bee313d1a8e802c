#include "password/CheckPWD.h"

#include "app/App.h"
#include "app/WaitWithEvents.h"
#include "settings/Language.h"

namespace velkor {

bool AskPassword(App& app) {
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
