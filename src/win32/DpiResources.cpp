#include "win32/DpiResources.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "win32/SystemDll.h"
#include "win32/resources/resource.h"

namespace velkor::win32 {
namespace {

// A filled circle, or a ring, with soft edges, premultiplied for the image list's alpha channel.
HBITMAP Dot(int size, COLORREF color, bool ring) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    auto* pixels = static_cast<uint32_t*>(bits);
    const double center = size / 2.0, radius = size * 0.40;
    const double hole = ring ? radius - std::max(1.5, size * 0.13) : -1.0;  // the ring's inside
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double d = std::hypot(x + 0.5 - center, y + 0.5 - center);
            double cover = std::min(std::clamp(radius + 0.5 - d, 0.0, 1.0),
                                    std::clamp(d - hole + 0.5, 0.0, 1.0));
            auto channel = [&](int value) {
                return static_cast<uint32_t>(value * cover);
            };
            pixels[y * size + x] = (channel(255) << 24) | (channel(GetRValue(color)) << 16) |
                                   (channel(GetGValue(color)) << 8) | channel(GetBValue(color));
        }
    }
    return bitmap;
}

}  // namespace

int SystemMetric(int index, UINT dpi) {
    using ForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi = User32Function<ForDpiFn>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(DpiOf(nullptr)));
}

UINT DpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpi && window) {
        if (UINT dpi = getDpi(window)) return dpi;
    }
    HDC screen = GetDC(nullptr);
    UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    return dpi ? dpi : 96;
}

UniqueImageList DotList(UINT dpi, const std::vector<ui::Dot>& dots) {
    const int size = DotSize(dpi);
    UniqueImageList list(
        ImageList_Create(size, size, ILC_COLOR32, static_cast<int>(dots.size()), 0));
    if (!list) return list;
    for (const ui::Dot& picture : dots) {
        const ui::Rgb& c = picture.colour;
        UniqueBitmap dot(Dot(size, RGB(c.red, c.green, c.blue), picture.ring));
        if (!dot || ImageList_Add(list.get(), dot.get(), nullptr) < 0) return UniqueImageList();
    }
    return list;
}

HICON ProgramIcon(HINSTANCE instance, int side, UINT flags) {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_VELKOR), IMAGE_ICON, side, side, flags));
}

DpiResources DpiResources::Make(HINSTANCE instance, UINT dpi, std::string& failed) {
    DpiResources made;
    made.dpi = dpi;
    failed.clear();

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW face = metrics.lfMessageFont;
    face.lfHeight = MulDiv(face.lfHeight, static_cast<int>(dpi), static_cast<int>(DpiOf(nullptr)));
    made.face = face;
    const int nine = MulDiv(12, static_cast<int>(dpi), 96);  // 9 points in pixels
    made.layoutDpi = static_cast<UINT>(
        MulDiv(static_cast<int>(dpi), std::max<int>(nine, std::abs(face.lfHeight)), nine));
    made.font.reset(CreateFontIndirectW(&face));
    if (!made.font) failed = "font";

    auto icon = [&](int metric) {
        return ProgramIcon(instance, SystemMetric(metric, dpi));
    };
    made.bigIcon.reset(icon(SM_CXICON));
    made.smallIcon.reset(icon(SM_CXSMICON));
    if (!made.bigIcon || !made.smallIcon) failed = "icon";
    return made;
}

}  // namespace velkor::win32
