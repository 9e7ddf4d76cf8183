#include "ui/frame_painter.h"

#include <optional>

#include "framework/dc.h"
#include "framework/scoped_handle.h"
#include "res/resource.h"
#include "ui/frame_rules.h"

void PaintFrame(HDC target, const FrameInputs& inputs) {
    HINSTANCE module = ::GetModuleHandleA(nullptr);
    const UINT pictureId = inputs.korean ? IDB_SPLASH_KOREAN : IDB_SPLASH_OTHER;
    // Loaded afresh for every frame: the strip and the text of one frame never reach the next.
    fw::ScopedBitmap picture(::LoadBitmapA(module, MAKEINTRESOURCEA(pictureId)));
    fw::ScopedBitmap strip(::LoadBitmapA(module, MAKEINTRESOURCEA(IDB_PROGRESS_STRIP)));
    fw::ScopedMemoryDc frameDc(::CreateCompatibleDC(target));
    fw::ScopedMemoryDc stripDc(::CreateCompatibleDC(target));
    if (!picture || !frameDc) return;
    // Declared after the bitmaps and surfaces, so the selections are undone before those go.
    fw::SelectionGuard pictureSelected(frameDc.get(), picture.get());
    std::optional<fw::SelectionGuard> stripSelected;
    if (strip && stripDc) stripSelected.emplace(stripDc.get(), strip.get());

    const std::optional<StripPlace> place = StripPlacement(inputs.animStep);
    if (place && stripSelected) {
        ::BitBlt(frameDc.get(), place->destX, kStripDestY, place->width, kStripHeight,
                 stripDc.get(), place->srcX, 0, SRCCOPY);
    }

    ::SetTextColor(frameDc.get(), RGB(255, 255, 255));
    ::SetBkMode(frameDc.get(), TRANSPARENT);
    if (!inputs.status.empty()) {
        const int top = TextBandTop(inputs.korean);
        RECT band{0, top, kFrameWidth, top + kTextBandHeight};
        ::DrawTextA(frameDc.get(), inputs.status.data(), static_cast<int>(inputs.status.size()),
                    &band, DT_CENTER);
    }

    const FramePoint origin = FrameOrigin(inputs.screenWidth, inputs.screenHeight);
    ::BitBlt(target, origin.x, origin.y, kFrameWidth, kFrameHeight, frameDc.get(), 0, 0, SRCCOPY);
}
