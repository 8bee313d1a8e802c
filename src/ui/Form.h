#pragma once
// A form: a window's model. The program's forms derive from it and own their controls, menus
// and timers as members, registering them in creation order.
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Control.h"
#include "ui/Menu.h"
#include "ui/Timer.h"
#include "ui/WindowProcs.h"

namespace velkor::ui {

enum class WindowState { Normal, Minimized, Maximized };

// How a window is framed; fixed at design time, before the form is first shown.
enum class BorderStyle {
    FixedSingle,  // a fixed frame with the buttons the style allows (the main window)
    FixedDialog,  // a dialog frame: no icon, never minimised or maximised
};

struct FormStyle {
    BorderStyle border = BorderStyle::FixedSingle;
    bool controlBox = true;  // system menu and close box
    bool minButton = true;
    bool maxButton = false;
    bool showInTaskbar = true;
    bool centerScreen = false;  // otherwise where the system puts it
    SystemColor backColor = SystemColor::ButtonFace;
};

// A dialog box: a fixed dialog frame without minimise and maximise buttons, no taskbar button,
// centred on the screen. Dialogs start from it and change what they need.
inline constexpr FormStyle kDialogBox{.border = BorderStyle::FixedDialog,
                                      .minButton = false,
                                      .maxButton = false,
                                      .showInTaskbar = false,
                                      .centerScreen = true};

// A point on the screen, in pixels (where a pop-up menu opens).
struct ScreenPoint {
    int x = 0;
    int y = 0;
};

class Form : public Observable {
  public:
    Form(std::string name, std::string caption)
        : name_(std::move(name)), caption_(std::move(caption)) {}

    const std::string& name() const { return name_; }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);

    bool visible() const { return visible_; }
    void show();  // modeless; a form shown already comes to the front
    void hide();

    // Without its Close command the window cannot be closed by the user (title bar, system
    // menu, Alt+F4); only the program ends it.
    bool closeDisabled() const { return closeDisabled_; }
    void disableClose() {
        if (closeDisabled_) return;
        closeDisabled_ = true;
        notify(Property::CloseCommand);
    }

    const FormStyle& style() const { return style_; }

    // The user asked to close the window (close box, Alt+F4, a close message from outside).
    // Not called while the form's Close command is taken away. By default the form hides.
    virtual void CloseCommand() { hide(); }

    // Brings the shown window to the front with the keyboard focus, restored if minimised.
    void activate() { notify(Property::Activate); }

    // Whether the window has a taskbar button; the notification-area start takes it away.
    void setShowInTaskbar(bool show) {
        if (style_.showInTaskbar == show) return;
        style_.showInTaskbar = show;
        notify(Property::ShowInTaskbar);
    }

    // Window procedures on this form's window, in install order.
    int installWindowProc(WindowProc proc) {
        int id = windowProcs_.install(std::move(proc));
        notify(Property::WindowProcs);
        return id;
    }
    void removeWindowProc(int id) {
        if (windowProcs_.remove(id)) notify(Property::WindowProcs);
    }
    const WindowProcChain& windowProcs() const { return windowProcs_; }

    // Shows one of the form's hidden top-level menus at `anchor` (screen pixels) or at the
    // mouse, and returns when it has closed, after the chosen entry's handler (if any) has run:
    // true when an entry was chosen, false when the menu was left (Escape, a click elsewhere).
    bool PopupMenu(Menu& menu, std::optional<ScreenPoint> anchor = std::nullopt) {
        popupRequest_ = &menu;
        popupAnchor_ = anchor;
        popupChosen_ = false;
        notify(Property::PopupMenu);
        popupRequest_ = nullptr;
        return popupChosen_;
    }
    Menu* popupRequest() const { return popupRequest_; }
    std::optional<ScreenPoint> popupAnchor() const { return popupAnchor_; }
    // The host, before it runs the entry chosen in the pop-up menu.
    void popupEntryChosen() { popupChosen_ = true; }

    WindowState windowState() const { return windowState_; }
    void setWindowState(WindowState state);

    // Size of the client area in twips.
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }

    // The mouse moved over the form's own background (not over a control): buttons, keys and
    // position in twips of the client area, as for Control::onMouseMove.
    std::function<void(int button, int shift, int x, int y)> onMouseMove;
    void mouseMove(int button, int shift, int x, int y) {
        if (onMouseMove) onMouseMove(button, shift, x, y);
    }

    // The height in twips of `text` in the form's font: the renderer measures it; without a
    // renderer each line counts kDefaultLineHeight (an 8-point line).
    static constexpr int kDefaultLineHeight = 195;
    std::function<int(std::string_view text)> measureTextHeight;
    int TextHeight(std::string_view text) const;

    const std::vector<Control*>& controls() const { return controls_; }
    const std::vector<Menu*>& menus() const { return menus_; }  // top level, in menu order
    const std::vector<Timer*>& timers() const { return timers_; }

    // Runs when the form is loaded, after its controls exist and before it is shown.
    virtual void Form_Load() {}
    // Runs before the form is unloaded; setting `cancel` to non-zero keeps it loaded.
    virtual void Form_Unload(int& cancel) { (void)cancel; }
    // Unloads the form from where it lives (its FormSlot), as its own handlers do to close it.
    void unload() {
        if (unloader_) unloader_();
    }
    void setUnloader(std::function<void()> unloader) { unloader_ = std::move(unloader); }

  protected:
    void setStyle(const FormStyle& style) { style_ = style; }
    // Places the controls and takes them into the form, in tab order: the order given.
    struct Placement {
        Control& control;
        Bounds bounds;
    };
    void placeInTabOrder(std::initializer_list<Placement> placements) {
        int tab = 0;
        for (const Placement& place : placements) {
            place.control.setBounds(place.bounds);
            place.control.setTabIndex(tab++);
            adopt(place.control);
        }
    }
    void setClientSize(int width, int height) {
        clientWidth_ = width;
        clientHeight_ = height;
    }
    void adopt(Control& control) { controls_.push_back(&control); }
    void adopt(Menu& topLevel) { menus_.push_back(&topLevel); }
    void adopt(Timer& timer) { timers_.push_back(&timer); }

  private:
    std::string name_;
    std::string caption_;
    bool visible_ = false;
    bool closeDisabled_ = false;
    WindowState windowState_ = WindowState::Normal;
    FormStyle style_;
    WindowProcChain windowProcs_;
    Menu* popupRequest_ = nullptr;
    std::optional<ScreenPoint> popupAnchor_;
    bool popupChosen_ = false;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    std::vector<Control*> controls_;
    std::vector<Menu*> menus_;
    std::vector<Timer*> timers_;
    std::function<void()> unloader_;
};

}  // namespace velkor::ui
