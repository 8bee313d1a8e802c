#include "program/Messages.h"

#include <iterator>

namespace velkor {
namespace {

struct Text {
    Msg id;
    const char* english;
    const char* german;
};

// In the order of Msg.
constexpr Text kTexts[] = {
    {Msg::ExitQuestion,
     "Exit Velkor?\r\n\r\nVelkor will unlock all CD/DVD drives at programme exit.",
     "Velkor beenden?\r\n\r\nVelkor wird alle Laufwerke nach Programmende wieder freigeben."},
    {Msg::ExitTitle, "Exit Velkor", "Velkor beenden"},
    {Msg::Busy, "Velkor is busy with another action. Please try again when it has finished.",
     "Velkor f\xC3\xBChrt gerade eine andere Aktion aus. Bitte versuchen Sie es danach noch "
     "einmal."},
    {Msg::PasswordRequired, "Sorry, a password is required for this action.",
     "Sorry, f\xC3\xBCr diese Aktion wird ein Password gebraucht."},
    {Msg::PromptExplanation,
     "This action is password protected. Please type in a valid Password or ask the "
     "administrator of your computer.",
     "Diese Aktion ist durch ein Passwort gesch\xC3\xBCtzt. Bitte geben sie ein g\xC3\xBCltiges "
     "Passwort an oder fragen sie ihren Administrator."},
    {Msg::InvalidPassword, "Invalid Password, try again!",
     "Ung\xC3\xBCltiges Passwort, bitte noch einmal neu versuchen!"},
    {Msg::NoPasswordGiven, "no Password given, try again!",
     "Kein Passwort gesetzt, bitte noch einmal neu versuchen!"},
    {Msg::CannotStorePassword, "This password cannot be stored. Please choose another one.",
     "Dieses Passwort kann nicht gespeichert werden. Bitte w\xC3\xA4hlen Sie ein anderes."},
    {Msg::PasswordFileUnreadable,
     "The password file \"%1\" cannot be read: %2\r\n\r\nProtected actions stay refused until "
     "it can be read again.",
     "Die Passwortdatei \"%1\" kann nicht gelesen werden: %2\r\n\r\nGesch\xC3\xBCtzte Aktionen "
     "bleiben gesperrt, bis sie wieder gelesen werden kann."},
    {Msg::CouldNotLock, "%1 could not be locked: %2", "%1 konnte nicht gesperrt werden: %2"},
    {Msg::CouldNotUnlock, "%1 could not be unlocked: %2", "%1 konnte nicht freigegeben werden: %2"},
    {Msg::Donation,
     "Velkor is Freeware - and should also be Freeware in future. But there are cost for the "
     "homepage, the download volume, etc.\r\n\r\nTherefore you can support this project if you "
     "find the software helpful. Just click the button below to place a donation via %1:",
     "Das Tool Velkor ist Freeware - und soll auch Freeware bleiben. Allerdings fallen laufende "
     "Kosten f\xC3\xBCr die Homepage, das Transfervolumen, etc. an.\r\n\r\nDaher kann jeder, der "
     "das kleine Tool sinnvoll und hilfreich findet, eine kleine Spende \xC3\xBC"
     "ber %1 leisten:"},
    {Msg::NewerVersion,
     "You are currently using version %1\r\nThere is a newer version of the program "
     "available...\r\n\r\nPlease go to '%2' to download the latest version.",
     "Sie verwenden Version %1\r\nEs steht allerdings eine neuere Version des Programmes zur "
     "Verf\xC3\xBCgung...\r\n\r\nBesuchen sie daher '%2' um die aktuelle Version "
     "herunterzuladen."},
    {Msg::NoUpdatesTitle, "Nothing to update", "Updates"},
    {Msg::NoUpdates, "There are no updates to the program at this time.",
     "Zur Zeit ist keine aktuellere Version des Programmes verf\xC3\xBCgbar."},
    {Msg::CheckFailed, "The update check failed: %1",
     "Die Suche nach Updates ist fehlgeschlagen: %1"},
    {Msg::CheckFailedTitle, "Update check failed", "Suche nach Updates fehlgeschlagen"},
    {Msg::NotAVersion, "the answer was not a version number",
     "die Antwort war keine Versionsnummer"},
    {Msg::HttpStatus, "HTTP status %1", "HTTP-Status %1"},
    {Msg::ErrorNumber, "error %1", "Fehler %1"},
    {Msg::NotAServer, "the server \"%1\" is not a host name with an optional port (1 to 65535)",
     "der Server \"%1\" ist kein Hostname mit optionalem Port (1 bis 65535)"},
    {Msg::RedirectUnusable, "the server redirected to an address that cannot be used (%1)",
     "der Server leitete auf eine unbrauchbare Adresse weiter (%1)"},
    {Msg::RedirectOtherHost, "the server redirected to another host (%1)",
     "der Server leitete auf einen anderen Host weiter (%1)"},
    {Msg::RedirectTooMany, "the server redirected too many times",
     "der Server leitete zu oft weiter"},
    {Msg::Checking, "Checking...", "Suche l\xC3\xA4uft..."},
    {Msg::Usage,
     "Usage: Velkor /lock|/unlock|/open|/close D:|all, /status, /exit or /?\r\n"
     "  /lock D:    lock the eject button of drive D: (\"all\": every optical drive)\r\n"
     "  /unlock D:  unlock it; /open D: and /close D: open and close its tray\r\n"
     "  /status     one line per optical drive: \"D: locked\" or \"D: unlocked\"\r\n"
     "  /exit       end the running Velkor, which unlocks every drive (no question asked)\r\n"
     "Unlock, open, close and exit ask for the password when one is set. Exit codes: 0 done,\r\n"
     "1 refused, 2 failed, 3 usage error, 4 the running Velkor cannot be reached.",
     "Aufruf: Velkor /lock|/unlock|/open|/close D:|all, /status, /exit oder /?\r\n"
     "  /lock D:    die Auswurftaste von Laufwerk D: sperren (\"all\": alle Laufwerke)\r\n"
     "  /unlock D:  sie freigeben; /open D: und /close D: \xC3\xB6"
     "ffnen und schlie\xC3\x9F"
     "en die Lade\r\n"
     "  /status     eine Zeile je Laufwerk: \"D: locked\" oder \"D: unlocked\"\r\n"
     "  /exit       das laufende Velkor beenden, das alle Laufwerke freigibt (ohne R\xC3\xBC"
     "ckfrage)\r\n"
     "Freigeben, \xC3\x96"
     "ffnen, Schlie\xC3\x9F"
     "en und Beenden fragen nach dem Passwort, wenn eines gesetzt\r\n"
     "ist. R\xC3\xBC"
     "ckgabewerte: 0 erledigt, 1 abgelehnt, 2 fehlgeschlagen, 3 Aufruffehler,\r\n"
     "4 das laufende Velkor ist nicht erreichbar."},
    {Msg::UnknownOption, "Unknown option \"%1\".", "Unbekannte Option \"%1\"."},
    {Msg::DriveMissing, "%1 needs a drive letter or \"all\".",
     "%1 braucht einen Laufwerksbuchstaben oder \"all\"."},
    {Msg::NotADrive, "\"%1\" is not a drive letter or \"all\".",
     "\"%1\" ist kein Laufwerksbuchstabe und nicht \"all\"."},
    {Msg::Unexpected, "Unexpected \"%1\": one command at a time.",
     "Unerwartet: \"%1\" (ein Befehl auf einmal)."},
    {Msg::NotOptical, "%1 is not an optical drive.", "%1 ist kein optisches Laufwerk."},
    {Msg::Unreachable,
     "Velkor runs but cannot be reached from here (in another user's session, or still "
     "starting); nothing was done.",
     "Velkor l\xC3\xA4uft, ist von hier aber nicht erreichbar (in der Sitzung eines anderen "
     "Benutzers, oder es startet noch); nichts wurde getan."},
    {Msg::NoAnswer, "The running Velkor gave no answer within %1 s.",
     "Das laufende Velkor hat nicht innerhalb von %1 s geantwortet."},
    {Msg::FromRecord, "Velkor is not running: these are the states recorded in %1.",
     "Velkor l\xC3\xA4uft nicht: dies sind die in %1 gespeicherten Zust\xC3\xA4nde."},
    {Msg::Opened, "%1 opened",
     "%1 ge\xC3\xB6"
     "ffnet"},
    {Msg::Closed, "%1 closed", "%1 geschlossen"},
    {Msg::NobodyToAsk,
     "This action needs the password, and no one can answer its prompt here (no desktop of the "
     "user).",
     "Diese Aktion braucht das Passwort, und hier kann niemand danach gefragt werden (kein "
     "Desktop des Benutzers)."},
    {Msg::VersionBoxName, "Version", "Version"},
    {Msg::DonationBoxName, "Donations", "Spenden"},
    {Msg::DonationPictureName, "Donate (opens the donation page)",
     "Spenden (\xC3\xB6"
     "ffnet die Spendenseite)"},
};

constexpr bool InOrder() {
    for (size_t i = 0; i < std::size(kTexts); ++i) {
        if (static_cast<size_t>(kTexts[i].id) != i) return false;
    }
    return static_cast<size_t>(Msg::DonationPictureName) + 1 == std::size(kTexts);
}
static_assert(InOrder(), "one text per message, in the order of Msg");

}  // namespace

std::string Say(Msg id, bool german, std::initializer_list<std::string_view> values) {
    const Text& text = kTexts[static_cast<size_t>(id)];
    const std::string_view pattern = german ? text.german : text.english;
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const size_t n = static_cast<size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && n < values.size()) {
            out += values.begin()[n];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace velkor
