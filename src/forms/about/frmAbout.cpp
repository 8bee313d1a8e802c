#include "forms/about/frmAbout.h"

#include <optional>
#include <string>

#include "program/ErrorCheck.h"
#include "program/Messages.h"
#include "program/Program.h"

namespace velkor {
namespace {

constexpr ui::Rgb kLinkBlue{0, 0, 255};

// Whether `bytes` start like an icon or cursor file: a header, then one entry per image.
bool IsIconFile(std::string_view bytes) {
    if (bytes.size() < 6) return false;
    auto word = [&](size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) |
               static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8;
    };
    const unsigned type = word(2), images = word(4);
    return word(0) == 0 && (type == 1 || type == 2) && images > 0 &&
           bytes.size() >= 6 + 16 * size_t{images};
}

void SetUnderline(ui::Control& control, bool underline) {
    ui::Font font = control.font();
    font.underline = underline;
    control.setFont(font);
}

}  // namespace

frmAbout::frmAbout(const Session& session, Dialogs& dialogs, const Files& files, Shell& shell)
    : Form("frmAbout", "About"),
      session_(session),
      dialogs_(dialogs),
      files_(files),
      shell_(shell) {
    ui::FormStyle style = ui::kDialogBox;
    style.controlBox = false;  // no system menu, no close box
    setStyle(style);
    setClientSize(3975, 5370);
    // The frame's contents lie at its position plus their offset inside it (240, 360 and
    // 1200, 2040).
    placeInTabOrder({
        {cmdExitAbout, {1200, 4800, 1455, 495}},
        {lblTitle, {120, 0, 3735, 375}},
        {txtAbout1, {120, 480, 3735, 735}},
        {lblAbout2, {120, 1320, 975, 255}},
        {lblHyperlink, {960, 1320, 2055, 255}},
        {lblAbout3, {120, 1560, 855, 255}},
        {lblEmail, {960, 1560, 2175, 255}},
        {Frame1, {120, 1920, 3735, 2775}},
        {txtAbout2, {360, 2280, 3255, 1695}},
        {imgDonation, {1320, 3960, 1200, 465}},
    });
    lblTitle.setAlignment(ui::Alignment::Center);
    lblTitle.setFont({.size = 12, .bold = true});
    for (ui::TextBox* box : {&txtAbout1, &txtAbout2}) {
        box->setMultiLine(true);
        box->setReadOnly(true);
        box->setBackColor(ui::SystemColor::Menu);
    }
    txtAbout2.setVerticalScrollBar(true);  // the donation text runs longer than its box
    lblHyperlink.setCaption(std::string(program::kWebSite));
    lblEmail.setCaption(std::string(program::kSupportEmail));
    imgDonation.setImage("DONATION");
    cmdExitAbout.setDefault(true);
    cmdExitAbout.setCancel(true);

    onMouseMove = [this](int button, int shift, int x, int y) {
        Form_MouseMove(button, shift, x, y);
    };
    lblHyperlink.onMouseMove = [this](int button, int shift, int x, int y) {
        lblHyperlink_MouseMove(button, shift, x, y);
    };
    lblEmail.onMouseMove = [this](int button, int shift, int x, int y) {
        lblEmail_MouseMove(button, shift, x, y);
    };
    imgDonation.onMouseMove = [this](int button, int shift, int x, int y) {
        imgDonation_MouseMove(button, shift, x, y);
    };
    lblHyperlink.onClick = [this] {
        lblHyperlink_Click();
    };
    lblEmail.onClick = [this] {
        lblEmail_Click();
    };
    imgDonation.onClick = [this] {
        imgDonation_Click();
    };
    cmdExitAbout.onClick = [this] {
        cmdExitAbout_Click();
    };
    // From the keyboard the links open without the pointer over them.
    lblHyperlink.setTabStop(true);
    lblEmail.setTabStop(true);
    imgDonation.setTabStop(true);
    lblHyperlink.onKeyActivate = [this] {
        Open("lblHyperlink_KeyPress()", lblHyperlink.caption(), true);
    };
    lblEmail.onKeyActivate = [this] {
        Open("lblEmail_KeyPress()", "mailto:" + lblEmail.caption(), true);
    };
    imgDonation.onKeyActivate = [this] {
        Open("imgDonation_KeyPress()", std::string(program::kDonationPage), true);
    };
}

void frmAbout::Form_Load() {
    Guarded(dialogs_, "frmAbout.Form_Load()", [&] {
        const std::string service(program::kDonationService);
        txtAbout2.setText(Say(Msg::Donation, session_.GermanTexts(), {service}));
        lblTitle.setCaption(std::string(program::kTitle));
        // Otherwise a screen reader names each text by the label before it: the version by the
        // title, the donation request by the e-mail address; the picture has no text at all.
        const bool german = session_.GermanTexts();
        txtAbout1.setAccessibleName(Say(Msg::VersionBoxName, german));
        txtAbout2.setAccessibleName(Say(Msg::DonationBoxName, german));
        imgDonation.setAccessibleName(Say(Msg::DonationPictureName, german));
        txtAbout1.setText("Version " + std::to_string(program::kVersionMajor) + "." +
                          std::to_string(program::kVersionMinor) + "." +
                          std::to_string(program::kVersionRevision) + "\r\n" +
                          std::string(program::kLegalCopyright) + "\r\n\r\n");
    });
}

void frmAbout::Form_MouseMove(int, int, int, int) {
    Guarded(dialogs_, "Form_MouseMove()", [&] {
        for (ui::Label* link : {&lblHyperlink, &lblEmail}) {
            SetUnderline(*link, false);
            link->setForeColor(ui::SystemColor::ButtonText);
        }
    });
}

void frmAbout::lblHyperlink_MouseMove(int, int, int, int y) {
    LinkMouseMove(lblHyperlink, lblHyperlink.caption(), y, "lblHyperlink_MouseMove()");
}

void frmAbout::lblEmail_MouseMove(int, int, int, int y) {
    LinkMouseMove(lblEmail, lblEmail.caption(), y, "lblEmail_MouseMove()");
}

void frmAbout::imgDonation_MouseMove(int, int, int, int y) {
    LinkMouseMove(imgDonation, std::to_string(imgDonation.bounds().height), y,
                  "imgDonation_MouseMove()");
}

void frmAbout::LinkMouseMove(ui::Control& link, std::string_view measured, int y,
                             std::string_view procName) {
    std::optional<RuntimeError> error = Attempt([&] {
        // The band of one text line, centred in the element's height.
        const double height = link.bounds().height;
        const double margin = (height - TextHeight(measured)) / 2;
        if (margin < y && y < height - margin) {
            LinkHover = true;
            link.setMousePointer(ui::MousePointer::Custom);
            const std::string icon = files_.ProgramFolder() + "\\Hand.ico";
            const ReadOutcome read = files_.Read(icon);
            if (read.status == ReadOutcome::Status::Missing) {
                throw RuntimeError(err::kFileNotFound, "File not found");
            }
            if (read.status == ReadOutcome::Status::Failed) {
                throw RuntimeError(err::kPathAccess,
                                   "Path/File access error (" + read.error.reason + ")");
            }
            if (!IsIconFile(read.bytes)) throw RuntimeError(481, "Invalid picture");
            link.setMouseIcon(icon);
            if (link.kind() == ui::ControlKind::Label) {
                SetUnderline(link, true);
                link.setForeColor(kLinkBlue);
            }
        } else {
            LinkHover = false;
            link.setMousePointer(ui::MousePointer::Default);
        }
    });
    // Without the hand icon the link still works; only its look stays as it was.
    if (!error || error->number() == err::kFileNotFound) return;
    try {
        ReportError(dialogs_, error->number(), error->description(), procName);
    } catch (...) {
        // Showing the report failed too; there is nobody left to tell.
    }
}

void frmAbout::Open(std::string_view procName, const std::string& target, bool byKeyboard) {
    Guarded(dialogs_, procName, [&] {
        // The shell shows its own message when nothing can open the address.
        if (LinkHover || byKeyboard) shell_.Open(target);
    });
}

void frmAbout::lblHyperlink_Click() {
    Open("lblHyperlink_Click()", lblHyperlink.caption());
}

void frmAbout::lblEmail_Click() {
    Open("lblEmail_Click()", "mailto:" + lblEmail.caption());
}

void frmAbout::imgDonation_Click() {
    Open("imgDonation_Click()", std::string(program::kDonationPage));
}

void frmAbout::cmdExitAbout_Click() {
    hide();
    unload();
}

}  // namespace velkor
