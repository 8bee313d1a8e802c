#include "win32/FormLayout.h"

#include <algorithm>

#include "win32/DpiResources.h"

namespace velkor::win32 {

void LayOut(HWND window, const ui::Form& form,
            const std::vector<std::unique_ptr<ControlAdapter>>& adapters, UINT dpi, HFONT font) {
    std::vector<RECT> wanted;
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
        adapters[i]->Place(wanted[i]);
        const ui::Bounds& b = adapters[i]->control().bounds();
        // Controls placed beyond the designed client area are hidden flags, not content.
        const bool inside = b.left < form.clientWidth();
        if (inside && adapters[i]->control().visible()) {
            width = std::max<int>(width, wanted[i].right + margin);
        }
    }
    RECT frame{0, 0, width, Pixels(form.clientHeight(), dpi)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                       GetMenu(window) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    RECT now{};
    GetWindowRect(window, &now);
    if (now.right - now.left == frame.right - frame.left &&
        now.bottom - now.top == frame.bottom - frame.top) {
        return;
    }
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CenterOnScreen(HWND window) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT own{};
    GetWindowRect(window, &own);
    int width = own.right - own.left, height = own.bottom - own.top;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velkor::win32
