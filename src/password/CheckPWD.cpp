#include "password/CheckPWD.h"

#include "app/App.h"
#include "app/WaitWithEvents.h"
#include "settings/Language.h"

namespace velkor {

bool AskPassword(App& app) {
    frmVelkor& main = *app.mainWindow;
    OpenAfresh(app.checkPassword);
    main.chkWait.setValue(1);
    // The answer comes during a wait and is looked at between the waits. A program that ended
    // meanwhile has taken the prompt away unanswered: nothing may act on its behalf any more.
    while (main.chkWait.value() == 1 && !app.ended()) WaitWithEvents(app.ports.loop, 1000);
    return !app.ended() && main.chkPWDSucceeded.value() == 1;
}

}  // namespace velkor
