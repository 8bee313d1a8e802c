// The about box: its texts, the hover band that arms the links, the links, and OK.
#include <gtest/gtest.h>

#include "fakes/AppHarness.h"

namespace velkor {
namespace {

using test::AppHarness;

// The smallest icon file: its header and one directory entry.
const std::string kIconFile = std::string("\0\0\1\0\1\0", 6) + std::string(16, '\x10');

struct AboutBox {
    explicit AboutBox(int language = 0, bool withIcon = true) {
        h.Settings(0, 0, 0, language);
        if (withIcon) h.files.content[h.files.path("Hand.ico")] = kIconFile;
        h.app.Start();
        h.ClearRecords();
        h.main().mnuAbout.click();
    }
    frmAbout& box() { return *h.app.about; }
    AppHarness h;
};

// The version block and the box itself are seen end to end; the thanks text follows the language.
TEST(AboutTest, TextsFollowTheLanguage) {
    const std::string english =
        "Velkor is Freeware - and should also be Freeware in future. But there are cost for the "
        "homepage, the download volume, etc.\r\n\r\nTherefore you can support this project if "
        "you find the software helpful. Just click the button below to place a donation via "
        "PayGrove:";
    const std::string german =
        "Das Tool Velkor ist Freeware - und soll auch Freeware bleiben. Allerdings fallen "
        "laufende Kosten f\xC3\xBCr die Homepage, das Transfervolumen, etc. an.\r\n\r\nDaher "
        "kann jeder, der das kleine Tool sinnvoll und hilfreich findet, eine kleine Spende "
        "\xC3\xBC"
        "ber PayGrove leisten:";
    for (int language : {0, 1}) {
        SCOPED_TRACE("language " + std::to_string(language));
        AboutBox a(language);
        EXPECT_EQ(a.box().txtAbout2.text(), language == 1 ? german : english);
        EXPECT_TRUE(a.h.dialogs.shown.empty());
    }
}

// Moves the pointer to height `y` over `link`, then clicks it.
struct Link {
    const char* name;
    ui::Control& (*control)(frmAbout&);
    void (*click)(frmAbout&);
    const char* opens;
    bool isLabel;
};
const Link kLinks[] = {
    {"lblHyperlink", [](frmAbout& b) -> ui::Control& { return b.lblHyperlink; },
     [](frmAbout& b) { b.lblHyperlink.click(); }, "https://velkor.example.org", true},
    {"lblEmail", [](frmAbout& b) -> ui::Control& { return b.lblEmail; },
     [](frmAbout& b) { b.lblEmail.click(); }, "mailto:support@velkor.example.org", true},
    {"imgDonation", [](frmAbout& b) -> ui::Control& { return b.imgDonation; },
     [](frmAbout& b) { b.imgDonation.click(); }, "https://velkor.example.org/Spende.html", false},
};

TEST(AboutTest, LinksActOnlyWhileThePointerIsOverTheirTextBand) {
    // A line is 195 twips: the labels (255 high) have a band of 31 .. 224, the picture (465
    // high) of 136 .. 329.
    struct Case {
        int labelY;
        int pictureY;
        bool inBand;
    };
    const Case cases[] = {{0, 0, false},    {30, 135, false},  {31, 136, true},  {128, 232, true},
                          {224, 329, true}, {225, 330, false}, {254, 464, false}};
    for (const Link& link : kLinks) {
        for (const Case& c : cases) {
            const int y = link.isLabel ? c.labelY : c.pictureY;
            SCOPED_TRACE(std::string(link.name) + " at " + std::to_string(y));
            AboutBox a;
            ui::Control& control = link.control(a.box());
            control.mouseMove(0, 0, 100, y);
            EXPECT_EQ(a.box().LinkHover, c.inBand);
            EXPECT_EQ(control.mousePointer(),
                      c.inBand ? ui::MousePointer::Custom : ui::MousePointer::Default);
            EXPECT_EQ(control.mouseIcon(), c.inBand ? "C:\\Velkor\\Hand.ico" : "");
            const bool lit = c.inBand && link.isLabel;
            EXPECT_EQ(control.font().underline, lit);
            EXPECT_EQ(control.foreColor(),
                      lit ? ui::Color(ui::Rgb{0, 0, 255}) : ui::Color(ui::SystemColor::Default));
            link.click(a.box());
            EXPECT_EQ(a.h.shell.opened,
                      c.inBand ? std::vector<std::string>{link.opens} : std::vector<std::string>{});
            EXPECT_TRUE(a.h.dialogs.shown.empty());
        }
    }
}

TEST(AboutTest, LeavingTheBandDisarmsAndTheBackgroundTurnsTheLabelsBack) {
    AboutBox a;
    frmAbout& box = a.box();
    box.lblEmail.mouseMove(0, 0, 10, 100);
    box.lblEmail.mouseMove(0, 0, 10, 5);  // into the margin: look unchanged, link disarmed
    EXPECT_FALSE(box.LinkHover);
    EXPECT_EQ(box.lblEmail.mousePointer(), ui::MousePointer::Default);
    EXPECT_TRUE(box.lblEmail.font().underline);
    box.lblEmail.click();
    EXPECT_TRUE(a.h.shell.opened.empty());

    box.imgDonation.mouseMove(0, 0, 10, 200);
    box.mouseMove(0, 0, 10, 10);  // the background: looks reset, still armed
    for (const ui::Label* label : {&box.lblHyperlink, &box.lblEmail}) {
        EXPECT_FALSE(label->font().underline);
        EXPECT_EQ(label->foreColor(), ui::Color(ui::SystemColor::ButtonText));
    }
    EXPECT_TRUE(box.LinkHover);
    box.imgDonation.click();
    EXPECT_EQ(a.h.shell.opened, std::vector<std::string>{"https://velkor.example.org/Spende.html"});
}

TEST(AboutTest, TheBandFollowsTheMeasuredLineHeight) {
    AboutBox a;
    frmAbout& box = a.box();
    std::vector<std::string> measured;
    box.measureTextHeight = [&](std::string_view text) {
        measured.emplace_back(text);
        return text == "465" ? 405 : 55;  // bands 31 .. 434 (picture), 101 .. 154 (labels)
    };
    const struct {
        ui::Control& link;
        int y;
        bool inBand;
    } moves[] = {{box.imgDonation, 30, false},
                 {box.imgDonation, 31, true},
                 {box.lblHyperlink, 100, false},
                 {box.lblHyperlink, 101, true}};
    for (const auto& move : moves) {
        move.link.mouseMove(0, 0, 10, move.y);
        EXPECT_EQ(box.LinkHover, move.inBand) << move.link.name() << " at " << move.y;
    }
    EXPECT_EQ(measured, (std::vector<std::string>{"465", "465", "https://velkor.example.org",
                                                  "https://velkor.example.org"}));
}

TEST(AboutTest, WithoutHandIconTheLinkWorksButLooksUnchanged) {
    AboutBox a(0, false);
    frmAbout& box = a.box();
    box.lblHyperlink.mouseMove(0, 0, 10, 128);
    EXPECT_TRUE(box.LinkHover);
    EXPECT_EQ(box.lblHyperlink.mousePointer(), ui::MousePointer::Custom);
    EXPECT_EQ(box.lblHyperlink.mouseIcon(), "");
    EXPECT_FALSE(box.lblHyperlink.font().underline);
    EXPECT_EQ(box.lblHyperlink.foreColor(), ui::Color(ui::SystemColor::Default));
    EXPECT_TRUE(a.h.dialogs.shown.empty());  // silently
    box.lblHyperlink.click();
    EXPECT_EQ(a.h.shell.opened, std::vector<std::string>{"https://velkor.example.org"});
}

TEST(AboutTest, AnIconFileThatIsNoIconIsReported) {
    AboutBox a;
    a.h.files.content[a.h.files.path("Hand.ico")] = "GIF89a";
    a.box().lblEmail.mouseMove(0, 0, 10, 128);
    ASSERT_EQ(a.h.dialogs.shown.size(), 1u);
    EXPECT_NE(a.h.dialogs.last().text.find("lblEmail_MouseMove()"), std::string::npos);
    EXPECT_NE(a.h.dialogs.last().text.find("481"), std::string::npos);
    EXPECT_EQ(a.box().lblEmail.mouseIcon(), "");
}

// OK closing the box is seen end to end.
TEST(AboutTest, TheCloseCommandUnloadsAndTheNextOpeningStartsAfresh) {
    AboutBox a;
    a.box().lblEmail.mouseMove(0, 0, 10, 128);
    a.box().CloseCommand();  // Alt+F4 acts as OK
    EXPECT_FALSE(a.h.app.about.loaded());
    a.h.main().mnuAbout.click();
    EXPECT_FALSE(a.box().LinkHover);
    EXPECT_FALSE(a.box().lblEmail.font().underline);
    a.h.main().mnuExit2.click();  // the program's exit takes an open about box with it
    EXPECT_TRUE(a.h.app.ended());
    EXPECT_FALSE(a.h.app.about.loaded());
}

}  // namespace
}  // namespace velkor
