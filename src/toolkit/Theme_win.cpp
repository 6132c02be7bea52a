#include "toolkit/Theme_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <cwchar>

#include "toolkit/DarkModeCalls_win.h"

namespace toolkit {
namespace {

// Marks a window given to Follow: a handle of a window gone may come back on
// another. Set by atom, so that no window has to take it off before it goes.
const wchar_t* FollowedProperty() {
    static const ATOM atom = GlobalAddAtomW(L"PellacorFollowsTheme");
    return MAKEINTATOM(atom);
}
const wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// A light theme where the value is missing or unreadable.
bool LightTheme(const wchar_t* value) {
    DWORD light = 1, size = sizeof(light);
    if (RegGetValueW(HKEY_CURRENT_USER, kPersonalize, value, RRF_RT_REG_DWORD, nullptr, &light, &size) != ERROR_SUCCESS)
        return true;
    return light != 0;
}

Colour System(int index) { return GetSysColor(index); }

// Under high contrast no colour of our own is made: the first that reads well.
Colour ReadableSystem(int preferred, int fallback, int background, bool highContrast) {
    if (highContrast)
        return ContrastRatio(System(preferred), System(background)) >= kReadableContrast ? System(preferred)
                                                                                         : System(fallback);
    return Readable(System(preferred), System(fallback), System(background));
}

bool IsClass(HWND window, const wchar_t* name) {
    wchar_t found[64] = L"";
    GetClassNameW(window, found, 64);
    return _wcsicmp(found, name) == 0;
}

}  // namespace

ThemeSettings ReadThemeSettings() {
    ThemeSettings settings;
    settings.appsDark = !LightTheme(L"AppsUseLightTheme");
    settings.taskbarLight = LightTheme(L"SystemUsesLightTheme");
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    settings.highContrast = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
                            (contrast.dwFlags & HCF_HIGHCONTRASTON);
    return settings;
}

Palette SystemPalette(bool highContrast) {
    Palette p;
    p.highContrast = highContrast;
    p.face = System(COLOR_BTNFACE);
    p.faceText = System(COLOR_BTNTEXT);
    p.field = System(COLOR_WINDOW);
    p.fieldText = System(COLOR_WINDOWTEXT);
    p.grayText = ReadableSystem(COLOR_GRAYTEXT, COLOR_BTNTEXT, COLOR_BTNFACE, highContrast);
    p.highlight = System(COLOR_HIGHLIGHT);
    p.highlightText = System(COLOR_HIGHLIGHTTEXT);
    p.info = System(COLOR_INFOBK);
    p.infoText = System(COLOR_INFOTEXT);
    p.menu = System(COLOR_MENU);
    p.menuText = System(COLOR_MENUTEXT);
    p.menuGrayText = ReadableSystem(COLOR_GRAYTEXT, COLOR_MENUTEXT, COLOR_MENU, highContrast);
    p.ruleDark = System(COLOR_3DSHADOW);
    p.ruleLight = System(COLOR_3DHILIGHT);
    return p;
}

Palette WindowPalette(const ThemeSettings& settings) {
    if (settings.highContrast || !settings.appsDark) return SystemPalette(settings.highContrast);
    return DarkPalette();
}

Palette MenuPalette(const ThemeSettings& settings) {
    if (!DarkMenusOffered()) return SystemPalette(settings.highContrast);
    return WindowPalette(settings);
}

bool MayChangeLook(UINT msg) noexcept {
    return msg == WM_SETTINGCHANGE || msg == WM_SYSCOLORCHANGE || msg == WM_THEMECHANGED;
}

Theme& Theme::Current() {
    static Theme theme;
    return theme;
}

Theme::Theme() : settings_(ReadThemeSettings()), windows_(WindowPalette(settings_)), menus_(MenuPalette(settings_)) {}

HBRUSH Theme::Brush(Colour colour) {
    UniqueGdiObject& brush = brushes_[colour];
    if (!brush) brush.reset(CreateSolidBrush(colour));
    return static_cast<HBRUSH>(brush.get());
}

bool Theme::Refresh() { return Use(ReadThemeSettings()); }

bool Theme::Use(const ThemeSettings& now) {
    Palette windows = WindowPalette(now), menus = MenuPalette(now);
    // System colours may change under the same settings (another high-contrast scheme).
    if (now == settings_ && windows == windows_ && menus == menus_) return false;
    settings_ = now;
    windows_ = windows;
    menus_ = menus;
    RefreshDarkMenus();
    ForgetWindowsGone();
    for (HWND window : followed_) Apply(window);
    return true;
}

void Theme::ForgetWindowsGone() {
    followed_.erase(std::remove_if(followed_.begin(), followed_.end(),
                                   [](HWND w) { return !IsWindow(w) || !GetPropW(w, FollowedProperty()); }),
                    followed_.end());
}

void Theme::Follow(HWND window) {
    if (!window) return;
    ForgetWindowsGone();
    SetPropW(window, FollowedProperty(), reinterpret_cast<HANDLE>(1));
    if (std::find(followed_.begin(), followed_.end(), window) == followed_.end()) followed_.push_back(window);
    Apply(window);
}

void Theme::FollowInMenus(HWND owner) { AllowDarkMenus(owner); }

void Theme::Apply(HWND window) {
    const bool dark = windows_.dark;
    SetDarkCaption(window, dark);
    EnumChildWindows(
        window,
        [](HWND control, LPARAM lParam) -> BOOL {
            const Theme& theme = *reinterpret_cast<const Theme*>(lParam);
            const bool dark = theme.windows_.dark;
            if (IsClass(control, L"Button")) {
                LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
                if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
                    SetDarkControlStyle(control, dark);
                else
                    SetClassicControlStyle(control, dark);
            } else if (IsClass(control, WC_LISTVIEWW)) {
                SetDarkControlStyle(control, dark);
                const Palette& p = theme.windows_;
                ListView_SetBkColor(control, p.field);
                ListView_SetTextBkColor(control, p.field);
                ListView_SetTextColor(control, p.fieldText);
            } else if (IsClass(control, L"#32770")) {
                // A page of a tab strip: the themed tab body is light.
                EnableThemeDialogTexture(control, dark ? ETDT_DISABLE : ETDT_ENABLETAB);
            } else if (IsClass(control, L"Edit") || IsClass(control, UPDOWN_CLASSW) || IsClass(control, L"ScrollBar")) {
                SetDarkControlStyle(control, dark);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool Theme::ControlColour(UINT msg, WPARAM wParam, LRESULT& result) {
    if (!windows_.dark) return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    Colour back = windows_.face, text = windows_.faceText;
    if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX) {
        back = windows_.field;
        text = windows_.fieldText;
    } else if (msg != WM_CTLCOLORSTATIC && msg != WM_CTLCOLORDLG && msg != WM_CTLCOLORBTN) {
        return false;
    }
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    result = reinterpret_cast<LRESULT>(Brush(back));
    return true;
}

}  // namespace toolkit
