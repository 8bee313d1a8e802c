#include "win32/FormLayout.h"

#include <algorithm>

#include "win32/DpiResources.h"

namespace velkor::win32 {

LayoutPlan PlanLayout(HWND window, const ui::Form& form,
                      const std::vector<std::unique_ptr<ControlAdapter>>& adapters, UINT dpi,
                      HFONT font) {
    LayoutPlan plan;
    std::vector<RECT>& wanted = plan.places;
    {
        MeasuringDc dc(window, font);
        for (const auto& adapter : adapters) wanted.push_back(adapter->Wanted(dpi, dc.get()));
    }

    // A frame grows around the controls that begin inside it; the window around everything
    // visible that grew past its edge.
    const int margin = Pixels(120, dpi);
    for (size_t f = 0; f < adapters.size(); ++f) {
        if (adapters[f]->control().kind() != ui::ControlKind::Frame) continue;
        const RECT designed = wanted[f];
        for (size_t c = 0; c < adapters.size(); ++c) {
            const POINT corner{wanted[c].left, wanted[c].top};
            if (c == f || !PtInRect(&designed, corner)) continue;
            wanted[f].right = std::max(wanted[f].right, wanted[c].right + margin);
        }
    }
    int width = Pixels(form.clientWidth(), dpi);
    for (size_t i = 0; i < adapters.size(); ++i) {
        const ui::Bounds& b = adapters[i]->control().bounds();
        // Controls placed beyond the designed client area are hidden flags, not content.
        const bool inside = b.left < form.clientWidth();
        if (inside && adapters[i]->control().visible()) {
            width = std::max<int>(width, wanted[i].right + margin);
        }
    }
    plan.client = {width, Pixels(form.clientHeight(), dpi)};
    return plan;
}

SIZE FrameSize(SIZE client, DWORD style, DWORD exStyle, bool menuBar) {
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, style, menuBar, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void LayOut(HWND window, const ui::Form& form,
            const std::vector<std::unique_ptr<ControlAdapter>>& adapters, UINT dpi, HFONT font) {
    const LayoutPlan plan = PlanLayout(window, form, adapters, dpi, font);
    for (size_t i = 0; i < adapters.size(); ++i) adapters[i]->Place(plan.places[i]);
    const SIZE frame = FrameSize(
        plan.client, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
        static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), GetMenu(window) != nullptr);
    RECT now{};
    GetWindowRect(window, &now);
    if (now.right - now.left == frame.cx && now.bottom - now.top == frame.cy) return;
    SetWindowPos(window, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT CenteredOnScreen(SIZE size) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left + (work.right - work.left - size.cx) / 2,
            work.top + (work.bottom - work.top - size.cy) / 2};
}

}  // namespace velkor::win32
