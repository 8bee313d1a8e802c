// Every window of the program in both delivered languages, at the screen's DPI, 144 and 192 dpi
// and with the text size at 200%: no caption is cut (measured as the control itself draws it, not
// as the layout sized it), in today's colours and in a high-contrast scheme every box and label
// can be read, and a screen reader is told each Tab stop's name in order, through the system.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <map>
#include <string>

#include "app/App.h"
#include "fakes/FakePorts.h"
#include "program/WaitWithEvents.h"
#include "win32/AccessibleName.h"
#include "win32/DpiResources.h"
#include "win32/Renderer.h"
#include "win32/Utf.h"
#include "win32/Win32EventLoop.h"
#include "win32/Win32TestSupport.h"

namespace velkor::win32 {
namespace {

std::string DeliveredFile(const std::string& name) {
    std::string folder = VELKOR_SOURCE_DIR;
    if (folder.front() == '/') folder = "Z:" + folder;  // the Unix root, as Wine maps it
    return test::ReadBytes(folder + "/dist/" + name);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The size of a text in the control's own font: on one line, or wrapped at a width.
SIZE Measure(HWND control, const std::wstring& text, UINT format, int width = 0) {
    HDC dc = GetDC(control);
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    RECT r{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | format);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return {r.right, r.bottom};
}

// Why a control's text does not fit it, or empty when it does.
std::string Cut(HWND control, UINT dpi) {
    const std::wstring text = TextOf(control), kind = ClassOf(control);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    RECT client{};
    GetClientRect(control, &client);
    SIZE need{}, room{client.right, client.bottom};
    if (kind == WC_BUTTONW && !text.empty()) {
        // A check mark or option dot and its gap; the stretch of border line before a frame's
        // caption; the edges and focus frame of a push button.
        const DWORD type = style & BS_TYPEMASK;
        const bool marked = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                            type == BS_AUTO3STATE || type == BS_RADIOBUTTON ||
                            type == BS_AUTORADIOBUTTON;
        room.cx -= MulDiv(marked ? 17 : type == BS_GROUPBOX ? 10 : 8, static_cast<int>(dpi), 96);
        need = Measure(control, text, DT_SINGLELINE);
    } else if (kind == WC_STATICW && !text.empty() && (style & SS_TYPEMASK) <= SS_RIGHT) {
        need = Measure(control, text, DT_WORDBREAK | DT_EXPANDTABS, room.cx);
    } else if (kind == WC_EDITW && (style & ES_MULTILINE) && !(style & WS_VSCROLL)) {
        RECT shown{};
        SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
        // Blank lines at the end are no content to lose.
        auto lines = static_cast<int>(SendMessageW(control, EM_GETLINECOUNT, 0, 0));
        while (lines > 1 &&
               SendMessageW(control, EM_LINELENGTH,
                            SendMessageW(control, EM_LINEINDEX, lines - 1, 0), 0) == 0) {
            --lines;
        }
        if (lines * Measure(control, L"Ag", DT_SINGLELINE).cy > shown.bottom - shown.top) {
            return std::to_string(lines) + " lines and no scroll bar";
        }
    }
    if (need.cx <= room.cx && need.cy <= room.cy) return {};
    return "needs " + std::to_string(need.cx) + "x" + std::to_string(need.cy) + " in " +
           std::to_string(room.cx) + "x" + std::to_string(room.cy);
}

// Why a box or label cannot be read, or empty when it can: the colour its window gives it for
// its text, asked as the control asks before it draws, is that of its background.
std::string Unreadable(HWND control) {
    const std::wstring kind = ClassOf(control);
    if (!IsWindowEnabled(control) || (kind != WC_EDITW && kind != WC_STATICW)) return {};
    HDC dc = CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(control), kind == WC_EDITW ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    LOGBRUSH background{};
    GetObjectW(brush, sizeof background, &background);
    const bool same = GetTextColor(dc) == background.lbColor;
    DeleteDC(dc);
    return same ? "text in its background colour" : "";
}

// Every shown control of `window` fits its text and its window; at the system's text size, a
// window that grew past its design for a longer text keeps its margin on the right.
void ExpectNothingCut(HWND window, const ui::Form& model, UINT dpi, bool systemTextSize) {
    const std::string form = model.name();
    ASSERT_NE(window, nullptr) << form;
    RECT parent{};
    GetClientRect(window, &parent);
    LONG content = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT own{};
        GetWindowRect(child, &own);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&own), 2);
        const std::string where =
            form + " at " + std::to_string(dpi) + " dpi: \"" + Narrow(TextOf(child)) + "\"";
        EXPECT_EQ(Cut(child, dpi), "") << where;
        EXPECT_EQ(Unreadable(child), "") << where;
        // A control that grew must not reach past its window's edge.
        EXPECT_LE(own.right, parent.right) << where << " leaves the window";
        content = std::max(content, own.right);
    }
    if (systemTextSize && parent.right > Pixels(model.clientWidth(), dpi))
        EXPECT_EQ(parent.right - content, Pixels(120, dpi)) << form << " at " << dpi << " dpi";
}

// The accessible name of each control the Tab key reaches, in its order.
std::vector<std::string> NamesInTabOrder(HWND window) {
    std::vector<std::string> names;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto style = GetWindowLongPtrW(child, GWL_STYLE);
        if (!(style & WS_TABSTOP) || !(style & WS_VISIBLE)) continue;
        IAccessible* object = nullptr;
        if (FAILED(AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT),
                                              kAccessibleId, reinterpret_cast<void**>(&object)))) {
            names.push_back("(no object)");
            continue;
        }
        BSTR name = nullptr;
        VARIANT self{};
        self.vt = VT_I4;  // CHILDID_SELF
        names.push_back(object->get_accName(self, &name) == S_OK && name ? Narrow(name) : "");
        SysFreeString(name);
        object->Release();
    }
    return names;
}

// The colours of the owner-drawn selector's entry band: right of the picture, left of the
// drop-down button.
std::map<COLORREF, int> SelectorColours(HWND window) {
    HWND combo = FindWindowExW(window, nullptr, WC_COMBOBOXW, nullptr);
    RECT client{};
    GetClientRect(combo, &client);
    HDC dc = GetDC(combo);
    std::map<COLORREF, int> seen;
    for (int y = 3; y < client.bottom - 3; ++y)
        for (int x = client.bottom; x < client.right - GetSystemMetrics(SM_CXVSCROLL) - 3; ++x)
            ++seen[GetPixel(dc, x, y)];
    ReleaseDC(combo, dc);
    return seen;
}

class EveryWindowTest : public ::testing::TestWithParam<int>, public test::FakePorts {
  protected:
    Win32EventLoop loop;
    Renderer renderer{GetModuleHandleW(nullptr), loop};
    App app{With(loop), &renderer};
};

TEST_P(EveryWindowTest, EveryCaptionFitsCanBeReadAndIsNamed) {
    const int language = GetParam();
    const std::string name = "Language_" + std::to_string(language) + ".txt";
    files.content[files.path(name)] = DeliveredFile(name);
    ASSERT_NE(files.content[files.path(name)], "<missing>");
    ASSERT_FALSE(files.content[files.path(name)].empty()) << name;
    files.content[files.path("Velkor.ini")] =
        "[Default]\r\nDeviceAll=0\r\nUseLastState=0\r\nMinimize=0\r\nStandby=1\r\nDelay=0\r\n"
        "[Language]\r\nLanguage=" +
        std::to_string(language) + "\r\n";
    // Today's colours, in which a text in the wrong colour vanishes, and a high-contrast scheme
    // (set as the system's colours: Wine reports the scheme off and cannot switch it on).
    const int elements[] = {COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_BTNFACE,
                            COLOR_BTNTEXT, COLOR_HIGHLIGHT,  COLOR_HIGHLIGHTTEXT,
                            COLOR_MENU,    COLOR_MENUTEXT,   COLOR_CAPTIONTEXT};
    COLORREF before[std::size(elements)];
    for (size_t i = 0; i < std::size(elements); ++i) before[i] = GetSysColor(elements[i]);
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0), face = RGB(240, 240, 240),
                   yellow = RGB(255, 255, 0), blue = RGB(0, 128, 255);
    const size_t highlight = 4;  // and the highlighted text after it: today they stay the system's
    const COLORREF today[] = {white, black, face, black, before[highlight], before[highlight + 1],
                              face,  black, black};
    ASSERT_EQ(elements[highlight], COLOR_HIGHLIGHT);
    const COLORREF contrast[] = {black, yellow, black, yellow, blue, white, face, black, black};
    auto colour = [&](const COLORREF* colours) {
        return SetSysColors(static_cast<int>(std::size(elements)), elements, colours);
    };
    ASSERT_TRUE(colour(today));
    drives.types['D'] = DriveType::CdRom;
    ASSERT_TRUE(app.Start());
    ui::Form* forms[] = {&app.mainWindow.get(), &app.preferences.get(), &app.setPassword.get(),
                         &app.checkPassword.get(), &app.about.get()};
    for (ui::Form* form : forms) form->show();
    ASSERT_EQ(app.mainWindow.get().chkAll.caption().empty(), false) << "captions not loaded";
    auto expectNothingCut = [&](UINT dpi, bool systemTextSize = true) {
        WaitWithEvents(loop, 50);
        for (ui::Form* form : forms)
            ExpectNothingCut(renderer.windowOf(*form), *form, dpi, systemTextSize);
    };

    HDC screen = GetDC(nullptr);
    const auto dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    expectNothingCut(dpi);

    // The selector by its label (the list says it itself: Wine's layer reads only its entry),
    // the about box's texts and picture by what they are, text boxes by the label before them.
    const std::vector<std::vector<std::string>> names = {
        {"Drive:", "All CD/DVD drives", "Unlock", "OK"},  // of the options, the chosen one
        {"Lock all drives at startup", "Use last drive state at startup",
         "Minimize to tray at startup", "Password protection", "Set password...",
         "Save drive status at standby/hibernate", "English", "Check now...", "Apply"},
        {"Old password:", "New password:", "Verify password:", "OK", "Cancel"},
        {"Password:", "OK", "Cancel"},
        {"OK", "Version", "https://velkor.example.org", "support@velkor.example.org", "Donations",
         "Donate (opens the donation page)"}};
    CoInitialize(nullptr);
    for (size_t f = 0; language == 0 && f < std::size(forms); ++f)
        EXPECT_EQ(NamesInTabOrder(renderer.windowOf(*forms[f])), names[f]) << forms[f]->name();
    CoUninitialize();

    // In the high-contrast scheme every text readable, the selector in its colours only.
    ASSERT_TRUE(colour(contrast));
    for (ui::Form* form : forms)
        RedrawWindow(renderer.windowOf(*form), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    expectNothingCut(dpi);
    std::map<COLORREF, int> seen = SelectorColours(renderer.windowOf(app.mainWindow.get()));
    colour(today);
    // The most of it is the entry's background, the scheme's; its text is the scheme's pair to it.
    const COLORREF most = std::max_element(seen.begin(), seen.end(), [](auto& a, auto& b) {
                              return a.second < b.second;
                          })->first;
    EXPECT_TRUE(most == black || most == blue) << std::hex << most;
    EXPECT_GT(seen[most == blue ? white : yellow], 0) << "no text in the scheme's colour";
    EXPECT_EQ(seen[face], 0) << "the everyday scheme's face shows through";

    // The text size at 200%: the message font twice its height, as the system announces it.
    NONCLIENTMETRICSW normal{sizeof normal};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof normal, &normal, 0));
    NONCLIENTMETRICSW twice = normal;
    twice.lfMessageFont.lfHeight *= 2;
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof twice, &twice, 0));
    for (ui::Form* form : forms)
        SendMessageW(renderer.windowOf(*form), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    expectNothingCut(dpi, false);
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof normal, &normal, 0);
    for (ui::Form* form : forms)
        SendMessageW(renderer.windowOf(*form), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);

    for (const UINT scaled : {144u, 192u}) {  // 150% and 200%
        for (ui::Form* form : forms) {
            HWND window = renderer.windowOf(*form);
            RECT r{};
            GetWindowRect(window, &r);
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(scaled, scaled),
                         reinterpret_cast<LPARAM>(&r));
        }
        expectNothingCut(scaled);
    }
    app.End();
    colour(before);
}

INSTANTIATE_TEST_SUITE_P(EnglishAndGerman, EveryWindowTest, ::testing::Values(0, 1));

}  // namespace
}  // namespace velkor::win32
