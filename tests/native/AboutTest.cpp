// The about box: its texts, the hover band that arms the links, the links, and OK.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>

#include "fakes/AppHarness.h"

namespace velkor {
namespace {

using Opened = std::vector<std::string>;

// The smallest icon file: its header and one directory entry.
const std::string kIcon = std::string("\0\0\1\0\1\0", 6) + std::string(16, '\x10');

// The program with its about box open; `icon` is the hand icon file, none when empty.
struct AboutBox : test::AppHarness {
    explicit AboutBox(const std::string& icon = kIcon) {
        Launch(0, 0);
        if (!icon.empty()) files.content[files.path("Hand.ico")] = icon;
        main().mnuAbout.click();
    }
    frmAbout& box() { return *app.about; }
};

// Without the hand icon a link still works but looks unchanged; a file that is no icon is
// reported too, naming the place and the error.
TEST(AboutTest, LinksActOnlyWhileThePointerIsOverTheirTextBand) {
    // A line is 195 twips: the labels (255 high) have a band of 31 .. 224, the picture (465
    // high) of 136 .. 329.
    const char* const opens[] = {"https://velkor.example.org", "mailto:support@velkor.example.org",
                                 "https://velkor.example.org/Spende.html"};
    const std::pair<std::string, const char*> icons[] = {
        {kIcon, "the hand icon"}, {"", "no icon file"}, {"GIF89a", "a file that is no icon"}};
    for (const auto& [icon, what] : icons) {
        for (size_t link = 0; link < 3; ++link) {
            const bool isLabel = link < 2;
            const int first = isLabel ? 31 : 136, last = isLabel ? 224 : 329;
            for (int y : {first - 1, first, last, last + 1}) {
                AboutBox a(icon);
                frmAbout& b = a.box();
                ui::Control& control = *std::array<ui::Control*, 3>{&b.lblHyperlink, &b.lblEmail,
                                                                    &b.imgDonation}[link];
                SCOPED_TRACE(control.name() + " at " + std::to_string(y) + ", " + what);
                const bool inBand = y >= first && y <= last, hand = inBand && icon == kIcon;
                control.mouseMove(0, 0, 100, y);
                EXPECT_EQ(b.LinkHover, inBand);
                EXPECT_EQ(control.mousePointer(),
                          inBand ? ui::MousePointer::Custom : ui::MousePointer::Default);
                EXPECT_EQ(control.mouseIcon(), hand ? "C:\\Velkor\\Hand.ico" : "");
                EXPECT_EQ(control.font().underline, hand && isLabel);
                EXPECT_EQ(control.foreColor(), hand && isLabel
                                                   ? ui::Color(ui::Rgb{0, 0, 255})
                                                   : ui::Color(ui::SystemColor::Default));
                isLabel ? ui::As<ui::Label>(control)->click() : b.imgDonation.click();
                EXPECT_EQ(a.shell.opened, inBand ? Opened{opens[link]} : Opened{});
                const bool reported = inBand && icon == "GIF89a";
                ASSERT_EQ(a.dialogs.shown.size(), reported ? 1u : 0u);
                if (!reported) continue;
                EXPECT_NE(a.dialogs.last().text.find(control.name() + "_MouseMove()"),
                          std::string::npos);
                EXPECT_NE(a.dialogs.last().text.find("481"), std::string::npos);
            }
        }
    }
}

// Leaving the band disarms the link, the background turns the labels back; the close command
// (Alt+F4 acts as OK) unloads the box and the next opening starts afresh. (OK closing the box is
// seen end to end.)
TEST(AboutTest, LeavingTheBandTheBackgroundAndTheCloseCommand) {
    AboutBox a;
    frmAbout& box = a.box();
    box.lblEmail.mouseMove(0, 0, 10, 100);
    box.lblEmail.mouseMove(0, 0, 10, 5);  // into the margin: look unchanged, link disarmed
    EXPECT_FALSE(box.LinkHover);
    EXPECT_EQ(box.lblEmail.mousePointer(), ui::MousePointer::Default);
    EXPECT_TRUE(box.lblEmail.font().underline);
    box.lblEmail.click();
    EXPECT_TRUE(a.shell.opened.empty());

    box.imgDonation.mouseMove(0, 0, 10, 200);
    box.mouseMove(0, 0, 10, 10);  // the background: looks reset, still armed
    for (const ui::Label* label : {&box.lblHyperlink, &box.lblEmail}) {
        EXPECT_FALSE(label->font().underline);
        EXPECT_EQ(label->foreColor(), ui::Color(ui::SystemColor::ButtonText));
    }
    EXPECT_TRUE(box.LinkHover);
    box.imgDonation.click();
    EXPECT_EQ(a.shell.opened, Opened{"https://velkor.example.org/Spende.html"});

    box.lblEmail.mouseMove(0, 0, 10, 128);
    box.CloseCommand();
    EXPECT_FALSE(a.app.about.loaded());
    a.main().mnuAbout.click();
    EXPECT_FALSE(a.box().LinkHover);
    EXPECT_FALSE(a.box().lblEmail.font().underline);
    a.main().mnuExit2.click();  // the program's exit takes an open about box with it
    EXPECT_TRUE(a.app.ended());
    EXPECT_FALSE(a.app.about.loaded());
}

TEST(AboutTest, TheBandFollowsTheMeasuredLineHeight) {
    AboutBox a;
    frmAbout& box = a.box();
    std::vector<std::string> measured;
    box.measureTextHeight = [&](std::string_view text) {
        measured.emplace_back(text);
        return text == "465" ? 405 : 55;  // bands 31 .. 434 (picture), 101 .. 154 (labels)
    };
    const std::tuple<ui::Control&, int, bool> moves[] = {{box.imgDonation, 30, false},
                                                         {box.imgDonation, 31, true},
                                                         {box.lblHyperlink, 100, false},
                                                         {box.lblHyperlink, 101, true}};
    for (const auto& [link, y, inBand] : moves) {
        link.mouseMove(0, 0, 10, y);
        EXPECT_EQ(box.LinkHover, inBand) << link.name() << " at " << y;
    }
    EXPECT_EQ(measured, (std::vector<std::string>{"465", "465", "https://velkor.example.org",
                                                  "https://velkor.example.org"}));
}

}  // namespace
}  // namespace velkor
