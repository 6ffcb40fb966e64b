#include "win32/win32_form.h"

#include <commctrl.h>

#include <algorithm>

namespace almanix {

namespace {

constexpr int kFirstControlId = 100;

struct NativeControl {
    const char* className;
    DWORD style;
    DWORD extendedStyle;
};

NativeControl nativeControlOf(const ControlLayout& entry) {
    switch (entry.kind) {
    case ControlKind::label: {
        const DWORD alignment = entry.style.alignment == TextAlignment::centre ? SS_CENTER
                                : entry.style.wordWrap                         ? SS_LEFT
                                                                               : SS_LEFTNOWORDWRAP;
        // Labels that overlap a little leave each other's text whole.
        return {"STATIC", SS_NOPREFIX | WS_CLIPSIBLINGS | alignment, 0};
    }
    case ControlKind::textBox: return {"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::frame: return {"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::checkBox: return {"BUTTON", BS_AUTOCHECKBOX, 0};
    case ControlKind::listBox: return {"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE};
    // BS_NOTIFY: the form hears when a button gains or loses the focus.
    case ControlKind::button:
        return {"BUTTON",
                static_cast<DWORD>((entry.style.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY), 0};
    case ControlKind::calendar: return {MONTHCAL_CLASSA, 0, 0};
    case ControlKind::slider: return {TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM, 0};
    }
    return {"STATIC", 0, 0};
}

COLORREF colourOf(const ColourChoice& choice, COLORREF standard) {
    switch (choice.role) {
    case ColourRole::standard: return standard;
    case ColourRole::fixed: return RGB(choice.fixed.red, choice.fixed.green, choice.fixed.blue);
    case ColourRole::scrollBar: return GetSysColor(COLOR_SCROLLBAR);
    case ColourRole::windowText: return GetSysColor(COLOR_WINDOWTEXT);
    }
    return standard;
}

// Where a face is missing (Wine, say), GDI picks a stand-in of the same family.
BYTE familyOf(std::string_view face) {
    if (face == "Times New Roman") return FF_ROMAN | VARIABLE_PITCH;
    if (face == "Arial" || face == "MS Sans Serif") return FF_SWISS | VARIABLE_PITCH;
    return FF_DONTCARE | DEFAULT_PITCH;
}

} // namespace

bool isPushButton(HWND control) {
    return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

std::string windowTextOf(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

Win32Form::Win32Form(const WindowLayout& table) : table_(table) { takeDotsPerInchFromWindow(); }

Win32Form::~Win32Form() {
    // The controls go before the fonts and brushes they use.
    if (handle()) DestroyWindow(handle());
    releaseGdiObjects();
}

bool Win32Form::createForm(DWORD style, HWND owner, HMENU menu) {
    constexpr DWORD extendedStyle = WS_EX_CONTROLPARENT;
    RECT outer{0, 0, pixelsAcross(table_.clientWidth), pixelsDown(table_.clientHeight)};
    AdjustWindowRectEx(&outer, style, menu != nullptr, extendedStyle);
    const std::string title(table_.title);
    const RECT place{0, 0, outer.right - outer.left, outer.bottom - outer.top};
    // No class brush: the form paints its own background colour.
    if (!create({"AlmanixForm", 0, nullptr}, extendedStyle, style, title.c_str(), place, owner)) return false;
    if (menu) SetMenu(handle(), menu);
    // Only the window knows which monitor, and so which resolution, it is on.
    takeDotsPerInchFromWindow();
    sizeClientToTable();
    controls_.assign(table_.controls.size(), nullptr);
    std::vector<const ControlLayout*> order;
    for (const ControlLayout& entry : table_.controls) order.push_back(&entry);
    std::stable_sort(order.begin(), order.end(),
                     [](const ControlLayout* a, const ControlLayout* b) { return a->tabIndex < b->tabIndex; });
    for (const ControlLayout* entry : order) {
        const auto index = static_cast<std::size_t>(entry - table_.controls.data());
        controls_[index] = createControl(*entry);
    }
    onControlsCreated();
    return true;
}

// The window's own resolution where each monitor has one, else the screen's.
void Win32Form::takeDotsPerInchFromWindow() {
    const auto dpiForWindow = handle() ? dpiForWindow_.get() : nullptr;
    if (const UINT dotsPerInch = dpiForWindow ? dpiForWindow(handle()) : 0) {
        dotsPerInchX_ = dotsPerInch;
        dotsPerInchY_ = dotsPerInch;
    } else if (HDC screen = GetDC(nullptr)) {
        dotsPerInchX_ = GetDeviceCaps(screen, LOGPIXELSX);
        dotsPerInchY_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
}

// The frame is measured rather than computed: it is the system's to scale, or
// not (per-monitor awareness of the first kind), and a menu bar may wrap.
void Win32Form::sizeClientToTable() {
    RECT outer{};
    RECT client{};
    GetWindowRect(handle(), &outer);
    GetClientRect(handle(), &client);
    SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left - client.right + pixelsAcross(table_.clientWidth),
                 outer.bottom - outer.top - client.bottom + pixelsDown(table_.clientHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::onDpiChanged(WPARAM dotsPerInch, const RECT& suggested) {
    dotsPerInchX_ = LOWORD(dotsPerInch);
    dotsPerInchY_ = HIWORD(dotsPerInch);
    SetWindowPos(handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    sizeClientToTable();
    // The controls take the new fonts before the old ones go.
    std::map<FontKey, HFONT> previousFonts;
    previousFonts.swap(fonts_);
    for (std::size_t index = 0; index < controls_.size(); ++index) {
        if (!controls_[index]) continue;
        const ControlLayout& entry = table_.controls[index];
        SendMessageA(controls_[index], WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(fontChoiceOf(entry))), FALSE);
        placeControl(entry, controls_[index]);
    }
    for (const auto& [key, font] : previousFonts) DeleteObject(font);
    InvalidateRect(handle(), nullptr, TRUE);
}

HWND Win32Form::createControl(const ControlLayout& entry) {
    const NativeControl native = nativeControlOf(entry);
    // Every control is a group of its own, so the arrow keys never move the focus.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP | native.style;
    if (takesFocus(entry.kind) && entry.tabIndex != kNoTabStop) style |= WS_TABSTOP;
    const RECT place = tablePlaceOf(entry);
    const std::string caption(entry.caption);
    const auto id = kFirstControlId + (&entry - table_.controls.data());
    HWND control = CreateWindowExA(native.extendedStyle, native.className, caption.c_str(), style, place.left,
                                   place.top, place.right - place.left, place.bottom - place.top, handle(),
                                   reinterpret_cast<HMENU>(id), GetModuleHandleA(nullptr), nullptr);
    if (!control) return nullptr;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(fontChoiceOf(entry))), FALSE);
    if (entry.kind == ControlKind::textBox && entry.style.maxLength > 0)
        SendMessageA(control, EM_SETLIMITTEXT, static_cast<WPARAM>(entry.style.maxLength), 0);
    if (entry.kind == ControlKind::slider) {
        SendMessageA(control, TBM_SETTICFREQ, 1, 0);
        SendMessageA(control, TBM_SETLINESIZE, 0, 1);
        if (entry.style.pageStep > 0) SendMessageA(control, TBM_SETPAGESIZE, 0, entry.style.pageStep);
    }
    placeControl(entry, control);
    return control;
}

RECT Win32Form::tablePlaceOf(const ControlLayout& entry) const {
    // A control inside a frame is placed relative to it but belongs to the window.
    int left = entry.x;
    int top = entry.y;
    if (const ControlLayout* frame = entry.container.empty() ? nullptr : table_.control(entry.container)) {
        left += frame->x;
        top += frame->y;
    }
    const int x = pixelsAcross(left);
    const int y = pixelsDown(top);
    return {x, y, x + pixelsAcross(entry.width), y + pixelsDown(entry.height)};
}

void Win32Form::placeControl(const ControlLayout& entry, HWND control) {
    const RECT place = tablePlaceOf(entry);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    SetWindowPos(control, nullptr, place.left, place.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (entry.style.autoSize) {
        fitToText(control);
    } else if (!entry.style.wordWrap && (entry.kind == ControlKind::label || entry.kind == ControlKind::checkBox)) {
        // The stand-in fonts may run a little wider than the originals, and at a
        // scale such as 150% a check box's mark outgrows the table's height:
        // never cut a caption short, and grow about the middle, where it is drawn.
        const SIZE needed = textSizeOf(control);
        const int grownHeight = std::max<int>(height, needed.cy);
        SetWindowPos(control, nullptr, place.left, place.top - (grownHeight - height) / 2,
                     std::max<int>(width, needed.cx), grownHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32Form::fitToText(HWND control) {
    const SIZE size = textSizeOf(control);
    SetWindowPos(control, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Win32Form::textSizeOf(HWND control) {
    const std::string text = windowTextOf(control);
    HDC context = GetDC(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = SelectObject(context, font);
    SIZE size{};
    GetTextExtentPoint32A(context, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(context, previous);
    ReleaseDC(control, context);
    char className[16] = {};
    GetClassNameA(control, className, sizeof className);
    // A check box's caption sits to the right of its box.
    if (lstrcmpiA(className, "Button") == 0) {
        size.cx += systemMetric(SM_CXMENUCHECK, dotsPerInchX_) + 2 * systemMetric(SM_CXEDGE, dotsPerInchX_);
        size.cy = std::max<LONG>(size.cy, systemMetric(SM_CYMENUCHECK, dotsPerInchY_));
    }
    return size;
}

// The metric at the form's resolution, where the system can tell it; else the system's own.
int Win32Form::systemMetric(int index, double dotsPerInch) {
    if (const auto forDpi = systemMetricForDpi_.get()) return forDpi(index, static_cast<UINT>(dotsPerInch));
    return GetSystemMetrics(index);
}

const FontChoice& Win32Form::fontChoiceOf(const ControlLayout& entry) const {
    return entry.font ? *entry.font : table_.defaultFont;
}

HFONT Win32Form::fontOf(const FontChoice& choice) {
    FontKey key{std::string(choice.face), choice.points, choice.bold, choice.italic};
    if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
    // A point is 20 twips; a negative height asks for the character height without leading.
    const int height = -pixelsOfTwips(choice.points * 20, dotsPerInchY_);
    HFONT font = CreateFontA(height, 0, 0, 0, choice.bold ? FW_BOLD : FW_NORMAL, choice.italic, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             familyOf(choice.face), std::get<0>(key).c_str());
    fonts_.emplace(std::move(key), font);
    return font;
}

HBRUSH Win32Form::brushOf(COLORREF colour) {
    if (const auto found = brushes_.find(colour); found != brushes_.end()) return found->second;
    HBRUSH brush = CreateSolidBrush(colour);
    brushes_.emplace(colour, brush);
    return brush;
}

COLORREF Win32Form::backgroundColour() const { return colourOf(table_.background, GetSysColor(COLOR_BTNFACE)); }

void Win32Form::releaseGdiObjects() {
    for (const auto& [key, font] : fonts_) DeleteObject(font);
    for (const auto& [colour, brush] : brushes_) DeleteObject(brush);
    fonts_.clear();
    brushes_.clear();
}

HWND Win32Form::control(std::string_view name) const {
    for (std::size_t index = 0; index < controls_.size(); ++index)
        if (table_.controls[index].name == name) return controls_[index];
    return nullptr;
}

std::string_view Win32Form::nameOf(HWND control) const {
    if (!control || GetParent(control) != handle()) return {};
    const auto index = static_cast<std::size_t>(GetDlgCtrlID(control) - kFirstControlId);
    if (index >= controls_.size() || controls_[index] != control) return {};
    return table_.controls[index].name;
}

HWND Win32Form::defaultButton() const {
    const ControlLayout* entry = table_.defaultButton();
    return entry ? control(entry->name) : nullptr;
}

HWND Win32Form::firstFocus() const {
    const auto order = tabOrderOf(table_);
    return order.empty() ? nullptr : control(order.front()->name);
}

TwipSize Win32Form::screenTwips() const {
    return {twipsOfPixels(GetSystemMetrics(SM_CXSCREEN), dotsPerInchX_),
            twipsOfPixels(GetSystemMetrics(SM_CYSCREEN), dotsPerInchY_)};
}

TwipSize Win32Form::windowTwips() const {
    RECT outer{};
    GetWindowRect(handle(), &outer);
    return {twipsOfPixels(outer.right - outer.left, dotsPerInchX_),
            twipsOfPixels(outer.bottom - outer.top, dotsPerInchY_)};
}

void Win32Form::moveTo(TwipPoint position) {
    SetWindowPos(handle(), nullptr, pixelsAcross(position.left), pixelsDown(position.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Win32Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: onCommandMessage(wParam, lParam); return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        return onNotify(nameOf(header.hwndFrom), header);
    }
    case WM_HSCROLL:
        if (lParam) onHScroll(nameOf(reinterpret_cast<HWND>(lParam)));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(
            onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_ERASEBKGND: return onEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_ACTIVATE:
        if (onActivate(LOWORD(wParam) != WA_INACTIVE)) return 0;
        break;
    case WM_DPICHANGED: onDpiChanged(wParam, *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_CLOSE: onClose(); return 0;
    case WM_NCDESTROY: releaseGdiObjects(); break;
    }
    return Win32Window::handleMessage(message, wParam, lParam);
}

void Win32Form::onCommandMessage(WPARAM wParam, LPARAM lParam) {
    const auto control = reinterpret_cast<HWND>(lParam);
    const UINT notification = HIWORD(wParam);
    if (!control) {
        onMenu(LOWORD(wParam));
        return;
    }
    // The focused button looks like the default, as Enter presses it; else the
    // table's default button, if there is one.
    if ((notification == BN_SETFOCUS || notification == BN_KILLFOCUS) && isPushButton(control)) {
        const bool focused = notification == BN_SETFOCUS;
        SendMessageA(control, BM_SETSTYLE, (focused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY, TRUE);
        if (HWND standing = defaultButton(); standing && standing != control)
            SendMessageA(standing, BM_SETSTYLE, (focused ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON) | BS_NOTIFY, TRUE);
        return;
    }
    onCommand(nameOf(control), notification);
}

HBRUSH Win32Form::onControlColour(HDC context, HWND control) {
    const COLORREF windowBackground = backgroundColour();
    const std::string_view name = nameOf(control);
    const ControlLayout* entry = name.empty() ? nullptr : table_.control(name);
    const COLORREF background = entry ? colourOf(entry->style.background, windowBackground) : windowBackground;
    const COLORREF text =
        entry ? colourOf(entry->style.foreground, GetSysColor(COLOR_BTNTEXT)) : GetSysColor(COLOR_BTNTEXT);
    SetTextColor(context, text);
    SetBkColor(context, background);
    return brushOf(background);
}

BOOL Win32Form::onEraseBackground(HDC context) {
    RECT client{};
    GetClientRect(handle(), &client);
    FillRect(context, &client, brushOf(backgroundColour()));
    return TRUE;
}

bool Win32Form::onActivate(bool active) {
    // A window that is not a dialog forgets its focused control when another
    // window (a message box, say) takes over; give it back on return.
    HWND focus = GetFocus();
    if (!active) {
        if (focus && IsChild(handle(), focus)) focusBeforeDeactivation_ = focus;
        return false;
    }
    HWND wanted =
        focusBeforeDeactivation_ && IsWindow(focusBeforeDeactivation_) ? focusBeforeDeactivation_ : firstFocus();
    if (!wanted) return false;
    SetFocus(wanted);
    return true;
}

} // namespace almanix
