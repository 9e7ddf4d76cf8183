// Device contexts that need their window to be released, and object selection that is undone.
#pragma once

#include <windows.h>

namespace fw {

// GetDC/ReleaseDC for the whole client area of a window.
class ClientDc {
public:
    explicit ClientDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~ClientDc() {
        if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
    }
    ClientDc(const ClientDc&) = delete;
    ClientDc& operator=(const ClientDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint/EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~PaintDc() { ::EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back when it goes.
class SelectionGuard {
public:
    SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectionGuard() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace fw
