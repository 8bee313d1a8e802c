// The about box: its texts, the hover band that arms the links, the links, and OK.
#include <gtest/gtest.h>

#include <array>

#include "fakes/AppHarness.h"

namespace velkor {
namespace {

using test::AppHarness;

// The smallest icon file: its header and one directory entry.
const std::string kIconFile = std::string("\0\0\1\0\1\0", 6) + std::string(16, '\x10');

struct AboutBox {
    explicit AboutBox(bool withIcon = true) {
        h.Launch(0, 0);
        if (withIcon) h.files.content[h.files.path("Hand.ico")] = kIconFile;
        h.main().mnuAbout.click();
    }
    frmAbout& box() { return *h.app.about; }
    AppHarness h;
};

// The box's links, and what each opens.
std::array<ui::Control*, 3> Links(frmAbout& b) {
    return {&b.lblHyperlink, &b.lblEmail, &b.imgDonation};
}
const char* const kOpens[] = {"https://velkor.example.org", "mailto:support@velkor.example.org",
                              "https://velkor.example.org/Spende.html"};

void Click(ui::Control& link) {
    if (auto* label = dynamic_cast<ui::Label*>(&link)) return label->click();
    dynamic_cast<ui::Picture&>(link).click();
}

TEST(AboutTest, LinksActOnlyWhileThePointerIsOverTheirTextBand) {
    // A line is 195 twips: the labels (255 high) have a band of 31 .. 224, the picture (465
    // high) of 136 .. 329.
    struct Case {
        int labelY;
        int pictureY;
        bool inBand;
    };
    const Case cases[] = {{30, 135, false}, {31, 136, true}, {224, 329, true}, {225, 330, false}};
    for (size_t link = 0; link < 3; ++link) {
        for (const Case& c : cases) {
            AboutBox a;
            ui::Control& control = *Links(a.box())[link];
            const bool isLabel = control.kind() == ui::ControlKind::Label;
            const int y = isLabel ? c.labelY : c.pictureY;
            SCOPED_TRACE(control.name() + " at " + std::to_string(y));
            control.mouseMove(0, 0, 100, y);
            EXPECT_EQ(a.box().LinkHover, c.inBand);
            EXPECT_EQ(control.mousePointer(),
                      c.inBand ? ui::MousePointer::Custom : ui::MousePointer::Default);
            EXPECT_EQ(control.mouseIcon(), c.inBand ? "C:\\Velkor\\Hand.ico" : "");
            const bool lit = c.inBand && isLabel;
            EXPECT_EQ(control.font().underline, lit);
            EXPECT_EQ(control.foreColor(),
                      lit ? ui::Color(ui::Rgb{0, 0, 255}) : ui::Color(ui::SystemColor::Default));
            Click(control);
            EXPECT_EQ(a.h.shell.opened, c.inBand ? std::vector<std::string>{kOpens[link]}
                                                 : std::vector<std::string>{});
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

// Without the hand icon the link still works but looks unchanged; a file that is no icon is
// reported too.
TEST(AboutTest, WithoutAHandIconTheLinkWorksButLooksUnchanged) {
    for (const char* content : {"", "GIF89a"}) {
        SCOPED_TRACE(content);
        AboutBox a(false);
        if (*content) a.h.files.content[a.h.files.path("Hand.ico")] = content;
        frmAbout& box = a.box();
        box.lblHyperlink.mouseMove(0, 0, 10, 128);
        EXPECT_TRUE(box.LinkHover);
        EXPECT_EQ(box.lblHyperlink.mousePointer(), ui::MousePointer::Custom);
        EXPECT_EQ(box.lblHyperlink.mouseIcon(), "");
        EXPECT_FALSE(box.lblHyperlink.font().underline);
        EXPECT_EQ(box.lblHyperlink.foreColor(), ui::Color(ui::SystemColor::Default));
        if (*content) {
            ASSERT_EQ(a.h.dialogs.shown.size(), 1u);
            EXPECT_NE(a.h.dialogs.last().text.find("lblHyperlink_MouseMove()"), std::string::npos);
            EXPECT_NE(a.h.dialogs.last().text.find("481"), std::string::npos);
        } else {
            EXPECT_TRUE(a.h.dialogs.shown.empty());  // silently
        }
        box.lblHyperlink.click();
        EXPECT_EQ(a.h.shell.opened, std::vector<std::string>{"https://velkor.example.org"});
    }
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
