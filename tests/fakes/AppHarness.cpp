#include "fakes/AppHarness.h"

#include <stdexcept>

#include "password/EnDecrypt.h"
#include "program/ErrorCheck.h"

namespace velkor::test {

AppHarness::AppHarness() : formHost(loop), app(With(loop), &formHost) {
    drives.types = {{'A', DriveType::Removable},
                    {'C', DriveType::Fixed},
                    {'D', DriveType::CdRom},
                    {'E', DriveType::CdRom},
                    {'N', DriveType::Remote}};
    http.clock = [this] {
        return loop.now();
    };
    // A wait that no input ends (a prompt nobody answers) would run for ever; it fails instead.
    loop.at(600'000, [] { throw std::logic_error("still waiting after ten minutes"); });
}

void AppHarness::Settings(int deviceAll, int useLastState, int delay, int language,
                          const std::string& current, int minimize, int standby) {
    std::string content = "[Default]\r\nDeviceAll=" + std::to_string(deviceAll) +
                          "\r\nUseLastState=" + std::to_string(useLastState) +
                          "\r\nMinimize=" + std::to_string(minimize) +
                          "\r\nStandby=" + std::to_string(standby) +
                          "\r\nDelay=" + std::to_string(delay) +
                          "\r\n\r\n[Language]\r\nLanguage=" + std::to_string(language) + "\r\n";
    if (!current.empty()) content += "[Current]\r\n" + current;
    files.content[iniPath()] = content;
}

std::string AppHarness::Entries() {
    std::string joined;
    for (const ui::ComboEntry& e : main().imgCboDrives.entries()) {
        joined += (joined.empty() ? "" : "|") + e.text + "#" + std::to_string(e.picture);
    }
    return joined;
}

std::string AppHarness::Requests() {
    std::string joined;
    for (const auto& r : device.requests) {
        joined +=
            std::string(joined.empty() ? "" : " ") + (r.prevent ? '+' : '-') + r.drive.substr(0, 1);
    }
    return joined;
}

std::vector<std::string> AppHarness::Messages() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& box : dialogs.shown) texts.push_back(box.text);
    return texts;
}

std::string AppHarness::WriteFailure(std::string_view procName, std::string_view reason) {
    return ErrorReportText(75, "Path/File access error (" + std::string(reason) + ")", procName);
}

void AppHarness::StorePassword(const std::string& password) {
    files.content[passwordPath()] =
        "[Password]\r\nPassword=" + Encrypt(text.ToAnsi(password), PWDKey) + "\r\n";
}

void AppHarness::AnswerPrompt(uint64_t ms, std::optional<std::string> password, bool unload) {
    loop.at(ms, [this, password, unload] {
        if (!app.checkPassword.loaded() || !app.checkPassword->visible()) {
            throw std::logic_error("no password prompt is open");
        }
        frmCheckPWD& prompt = *app.checkPassword;
        if (password) {
            prompt.txtPassword.setText(*password);
            prompt.cmdOK.click();
        } else if (unload) {
            prompt.unload();  // closed unanswered, as when the program ends
        } else {
            prompt.cmdCancel.click();
        }
    });
}

}  // namespace velkor::test
