#pragma once
// One control of a form on the screen: creates its window, writes the model's properties into it
// and feeds the user's input back into the model. One small adapter per kind of control;
// MakeAdapter is the one place that chooses among them.
#include <windows.h>

#include <memory>
#include <string>

#include "ui/Control.h"
#include "win32/Handles.h"

namespace velkor::win32 {

struct DpiResources;

// What an adapter needs of the window it lives in.
class ControlHost {
  public:
    virtual ~ControlHost() = default;
    virtual HWND Window() const = 0;
    virtual HINSTANCE Instance() const = 0;
    // Pixels of the window's DPI to twips.
    int Twips(int pixels) const { return MulDiv(pixels, 1440, static_cast<int>(Dpi())); }
    virtual UINT Dpi() const = 0;
    virtual const DpiResources& Resources() const = 0;
    virtual void SetToolTip(HWND control, const std::string& text) = 0;
    virtual void Layout() = 0;
    virtual void Failed(const std::string& what, unsigned long code) = 0;
};

class ControlAdapter {
  public:
    ControlAdapter(ControlHost& host, ui::Control& control) : host_(host), control_(control) {}
    virtual ~ControlAdapter();
    ControlAdapter(const ControlAdapter&) = delete;
    ControlAdapter& operator=(const ControlAdapter&) = delete;

    // Creates the control's window at `at` (client pixels) with command id `id`; `startsGroup`
    // marks the first control of a keyboard group. Returns false (and reports) when the system
    // refused.
    bool Create(int id, bool startsGroup, const RECT& at);
    // The model changed `property`: bring the control in line.
    void Sync(ui::Property property);
    // A notification from the control (BN_CLICKED, EN_CHANGE, ...).
    virtual void OnNotify(int code) { (void)code; }
    // An owner-drawn control's part to paint.
    virtual void DrawItem(const DRAWITEMSTRUCT& item) { (void)item; }
    // Position and size from the model's twips at the window's DPI, wider where the caption
    // needs the room in the window's font (selected into `dc`): a longer translation, a larger
    // font than the one the sizes were made for.
    virtual RECT Wanted(UINT dpi, HDC dc) const;
    virtual void Place(const RECT& where);
    // The window's font or image list was made anew.
    virtual void ApplyResources(const DpiResources& resources);

    // The pointer over the control: its own custom one, or null for the system's.
    HCURSOR Cursor();

    ui::Control& control() const { return control_; }
    HWND hwnd() const { return window_.get(); }
    int id() const { return id_; }
    bool is(ui::ControlKind kind) const { return control_.kind() == kind; }

  protected:
    struct Look {
        const wchar_t* windowClass;
        DWORD style;  // besides WS_CHILD, WS_VISIBLE and WS_GROUP
        std::wstring text;
    };
    virtual Look Describe() const = 0;
    // Properties of this kind of control; the shared ones are handled by Sync.
    virtual void SyncOwn(ui::Property property) { (void)property; }
    // Room the control needs beside its caption's text (a check mark, a button's edges), in
    // pixels at `dpi`; negative for a control whose width does not follow its caption.
    virtual int CaptionMargin(UINT /*dpi*/) const { return -1; }

    ControlHost& host_;
    ui::Control& control_;
    RECT placed_{};  // where the control was last put
    void MoveTo(const RECT& where);

  private:
    static LRESULT CALLBACK MouseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK KeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);

    UniqueWindow window_;
    UniqueFont ownFont_;  // when the control changes its form's font
    UniqueCursor cursor_;
    int id_ = 0;
};

std::unique_ptr<ControlAdapter> MakeAdapter(ControlHost& host, ui::Control& control);

}  // namespace velkor::win32
