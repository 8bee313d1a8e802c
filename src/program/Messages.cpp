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
};

constexpr bool InOrder() {
    for (size_t i = 0; i < std::size(kTexts); ++i) {
        if (static_cast<size_t>(kTexts[i].id) != i) return false;
    }
    return static_cast<size_t>(Msg::Checking) + 1 == std::size(kTexts);
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
