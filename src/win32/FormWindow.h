#pragma once
// One form on the screen: its top-level window, one adapter per control, its menus, timers and
// the resources of its DPI. Made when the form first needs it (see Renderer), closed when the
// form unloads.
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "ui/Form.h"
#include "win32/ControlAdapter.h"
#include "win32/DpiResources.h"
#include "win32/FormMessages.h"
#include "win32/Handles.h"
#include "win32/MenuBuilder.h"
#include "win32/Subclasses.h"
#include "win32/ToolTips.h"

namespace velkor::win32 {

class Renderer;

// The window class of every form.
inline constexpr wchar_t kFormClass[] = L"VelkorForm";
// The timer that makes a form's tooltips once its window has painted (below the model's timers).
inline constexpr UINT_PTR kToolTipTimerId = 0x6FFF;

class FormWindow : public ControlHost {
  public:
    FormWindow(Renderer& renderer, ui::Form& form);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Makes the window once the form is shown (or shows a pop-up menu); until then it stays a
    // model only.
    void CreateWhenShown();
    // The form's load has run: a form that takes messages while hidden gets its window now.
    void Loaded();
    // Makes the window if it was not made yet; false (reported) when it could not be made.
    bool Made();
    // Destroys everything the window holds, once; the object itself may still be on the call
    // stack, and is freed by the renderer when the outermost dispatch ends.
    void Close();

    HWND Window() const override { return window_.get(); }
    HINSTANCE Instance() const override;
    const DpiResources& Resources() const override { return resources_; }
    UINT Dpi() const override { return resources_.layoutDpi; }
    void SetToolTip(HWND control, const std::string& text) override;
    void Layout() override;
    void Failed(const std::string& what, unsigned long code) override;

    MenuBuilder* menus() const { return menus_.get(); }

  private:
    bool Create();
    bool TakesMessagesWhileHidden() const;

    friend class FormMessages;  // answers the window's messages with the parts below
    void SyncForm(ui::Property property);
    void Show();
    void ShowPopup(ui::Menu& menu);
    void MakeAdapters();
    void CreateControls(const std::vector<RECT>& places);
    void MakeToolTips();
    void ArmTimers();
    void UseResources(DpiResources made);
    void GiveIcons();  // the window's icons from its resources
    // Fonts and pictures made anew at `dpi` (another DPI, another text size), reported when
    // that failed, and the controls laid out with them.
    void Remake(UINT dpi);
    int MeasureTextHeight(std::string_view text) const;

    Renderer& renderer_;
    ui::Form& form_;
    UniqueWindow window_;
    DpiResources resources_;
    ToolTips tips_;
    std::unique_ptr<MenuBuilder> menus_;
    std::unique_ptr<Subclasses> subclasses_;
    std::vector<std::unique_ptr<ControlAdapter>> adapters_;  // in tab order
    std::map<UINT_PTR, ui::Timer*> timers_;
    bool closed_ = false;
    bool loaded_ = false;                    // the form's load has run
    bool tried_ = false;                     // Create ran (it is not tried twice)
    std::vector<ui::Subscription> waiting_;  // for the moment the window is needed
    HWND lastFocus_ = nullptr;               // given back when the window is activated again
    // The control that had the focus when the window was last left, while it is still one of its.
    HWND LastFocus() const {
        return lastFocus_ && IsChild(Window(), lastFocus_) ? lastFocus_ : nullptr;
    }
    std::vector<ui::Subscription> subscriptions_;
    FormMessages messages_{*this};
};

}  // namespace velkor::win32
