// Our windows in the light and the dark app theme and under high contrast,
// the tray icon at each scale and for each taskbar, and kind icons with alpha.
// The theme is set where the system keeps it, in the test prefix's registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <set>

#include "PixelHelpers.h"
#include "TestSupport_win.h"
#include "app/KindIcons_win.h"
#include "app/MainForm_win.h"
#include "clips/ClipKind.h"
#include "find/FindWindow_win.h"
#include "history/RenameDialog_win.h"
#include "history/SectionHeaders_win.h"
#include "preview/Preview_win.h"
#include "toolkit/DarkModeCalls_win.h"
#include "toolkit/Dialog_win.h"
#include "toolkit/Dpi_win.h"
#include "toolkit/ImageList_win.h"
#include "toolkit/Theme_win.h"

using namespace testing_support;
using toolkit::Theme;

namespace {

const wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

void SetThemeValue(const wchar_t* name, bool light) {
    DWORD value = light ? 1 : 0;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalize, name, REG_DWORD, &value, sizeof(value)), ERROR_SUCCESS);
}

// The system's word that the theme changed, as Windows broadcasts it.
void AnnounceThemeChange(HWND form) {
    SendMessageW(form, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    PumpPending();
}

struct Colours {
    COLORREF back, text;
};

// What a window answers to a WM_CTLCOLOR... message about `control`.
Colours ColourAnswer(HWND window, UINT msg, HWND control) {
    toolkit::UniqueDC dc(CreateCompatibleDC(nullptr));
    auto brush = reinterpret_cast<HGDIOBJ>(
        SendMessageW(window, msg, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(control)));
    LOGBRUSH logical{};
    GetObjectW(brush, sizeof(logical), &logical);
    return {logical.lbColor, GetTextColor(dc.get())};
}

// The pixel of `area` that stands out most from `back`: a stroke of the text drawn there.
COLORREF TextPixel(HDC dc, RECT area, COLORREF back) {
    COLORREF best = back;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (COLORREF p = GetPixel(dc, x, y);
                p != CLR_INVALID && toolkit::ContrastRatio(p, back) > toolkit::ContrastRatio(best, back))
                best = p;
    return best;
}

// What the screen shows of a window's client area, in a memory DC that reads fast.
struct ClientPicture {
    explicit ClientPicture(HWND window) {
        UpdateWindow(window);
        GetClientRect(window, &client);
        toolkit::WindowDC screen(window);
        bitmap.reset(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
        selected.emplace(dc.get(), bitmap.get());
        BitBlt(dc.get(), 0, 0, client.right, client.bottom, screen.get(), 0, 0, SRCCOPY);
    }
    RECT client{};
    toolkit::UniqueDC dc{CreateCompatibleDC(nullptr)};
    toolkit::UniqueBitmap bitmap;
    std::optional<toolkit::SelectedObject> selected;
};

// Every system colour: under high contrast nothing else may show.
std::set<COLORREF> SystemColours() {
    std::set<COLORREF> colours;
    for (int index = 0; index <= COLOR_MENUBAR; ++index) colours.insert(GetSysColor(index));
    return colours;
}

struct ThemeTest : ::testing::Test {
    QuietFolder folder;
    app::TfrmMain form{folder.Path()};
    MessageBoxRecorder boxes;

    void TearDown() override {
        // Back to light: the values missing, as in a new prefix.
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"SystemUsesLightTheme");
        Theme::Current().Refresh();
        EXPECT_TRUE(boxes.boxes.empty());
    }

    // The colours of the find window, the preview, the rename dialog and a
    // section header as they are drawn now, each pair to check.
    std::vector<std::pair<std::string, Colours>> ColoursShown() {
        std::vector<std::pair<std::string, Colours>> shown;
        form.OpenFind(L"", nullptr);
        find::FindWindow& find = *form.Find();
        shown.emplace_back("find: edit", ColourAnswer(find.Handle(), WM_CTLCOLOREDIT, find.Edit()));
        shown.emplace_back("find: status", ColourAnswer(find.Handle(), WM_CTLCOLORSTATIC, find.Status()));
        shown.emplace_back("find: list", Colours{ListView_GetBkColor(find.List()), ListView_GetTextColor(find.List())});
        ClientPicture findBody(find.Handle());
        shown.emplace_back("find: body", Colours{GetPixel(findBody.dc.get(), 1, 1), shown[1].second.text});

        SetCursorPos(900, 700);
        preview::TPreview preview;
        preview.ShowText("预览 preview", "格式 : 文本");
        ClientPicture shot(preview.Handle());
        const RECT& client = shot.client;
        COLORREF back = GetPixel(shot.dc.get(), client.right - 2, client.bottom - 2);
        shown.emplace_back("preview", Colours{back, TextPixel(shot.dc.get(), {2, 2, client.right - 2, 16}, back)});

        TimedSteps steps({OnDialog(history::kRenameTitle, [&](HWND dialog) {
            HWND edit = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
            HWND label = FindWindowExW(dialog, nullptr, L"Static", nullptr);
            shown.emplace_back("rename: body", ColourAnswer(dialog, WM_CTLCOLORDLG, dialog));
            shown.emplace_back("rename: label", ColourAnswer(dialog, WM_CTLCOLORSTATIC, label));
            shown.emplace_back("rename: edit", ColourAnswer(dialog, WM_CTLCOLOREDIT, edit));
            Click(GetDlgItem(dialog, IDCANCEL));
        })});
        history::AskNewName("名字", 64);
        EXPECT_TRUE(steps.Done());
        return shown;
    }

    // A header drawn in `colours`, its background and the colour of its label.
    static Colours HeaderColours(const toolkit::Palette& colours) {
        testpix::DrawingSurface surface(300, 20);
        HDC dc = surface.dc.get();
        DRAWITEMSTRUCT draw{ODT_MENU, 0, 0, 0, 0, nullptr, dc, {0, 0, 300, 20}, 0};
        history::DrawSectionHeader(" 剪贴板历史纪录 ", draw, colours);
        GdiFlush();
        COLORREF back = GetPixel(dc, 0, 0);
        return {back, TextPixel(dc, {100, 0, 200, 20}, back)};
    }
};

}  // namespace

TEST_F(ThemeTest, EachWindowReadsWellInBothThemesAndTurnsDarkAtOnceWhenTheThemeChanges) {
    for (bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        SetThemeValue(L"AppsUseLightTheme", !dark);
        AnnounceThemeChange(form.Handle());
        EXPECT_EQ(Theme::Current().Colours().dark, dark);
        auto shown = ColoursShown();
        // Menus take the app theme only where the system draws them dark: a header is drawn as they are.
        toolkit::Palette menus = toolkit::WindowPalette(Theme::Current().Settings());
        shown.emplace_back("section header", HeaderColours(menus));
        EXPECT_EQ(Theme::Current().MenuColours().dark, dark && toolkit::DarkMenusOffered());
        for (const auto& [what, colours] : shown) {
            SCOPED_TRACE(what);
            EXPECT_GE(toolkit::ContrastRatio(colours.text, colours.back), toolkit::kReadableContrast);
            if (dark)
                EXPECT_LT(toolkit::Luminance(colours.back), 0.05);
            else
                EXPECT_GT(toolkit::Luminance(colours.back), 0.5);
        }
        form.Find()->Close();
    }
}

TEST_F(ThemeTest, UnderHighContrastOnlySystemColoursShowWhateverTheAppThemeSays) {
    SetThemeValue(L"AppsUseLightTheme", false);
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0);
    HIGHCONTRASTW on = contrast;
    on.dwFlags |= HCF_HIGHCONTRASTON;
    bool switched = SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof(on), &on, SPIF_SENDCHANGE);
    if (switched) {
        AnnounceThemeChange(form.Handle());
    } else {
        // Wine keeps no high-contrast switch: what Windows would report is given instead.
        Theme::Current().Use({.appsDark = true, .taskbarLight = true, .highContrast = true});
    }
    EXPECT_TRUE(Theme::Current().Colours().highContrast);
    auto shown = ColoursShown();
    shown.emplace_back("section header", HeaderColours(Theme::Current().MenuColours()));
    const std::set<COLORREF> system = SystemColours();
    for (const auto& [what, colours] : shown) {
        SCOPED_TRACE(what);
        EXPECT_TRUE(system.count(colours.back)) << std::hex << colours.back;
        EXPECT_TRUE(system.count(colours.text)) << std::hex << colours.text;
    }
    form.Find()->Close();
    if (switched) SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof(contrast), &contrast, SPIF_SENDCHANGE);
}

TEST_F(ThemeTest, TheTrayIconHasAnImageOfEachScaleAndFollowsTheTaskbarsTheme) {
    auto width = [](HICON icon) {
        ICONINFO parts{};
        if (!GetIconInfo(icon, &parts)) return 0L;
        toolkit::UniqueBitmap colour(parts.hbmColor), mask(parts.hbmMask);
        BITMAP bitmap{};
        GetObjectW(colour.get(), sizeof(bitmap), &bitmap);
        return bitmap.bmWidth;
    };
    for (UINT dpi : {96u, 144u, 192u}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        int size = toolkit::SmallIconSize(dpi);
        EXPECT_EQ(size, toolkit::Scale(16, dpi));
        for (int resource : {app::kTrayIconForLightTaskbar, app::kTrayIconForDarkTaskbar}) {
            // Taken from an image of exactly that size, not stretched from another.
            HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(resource), RT_GROUP_ICON);
            ASSERT_TRUE(group);
            auto* directory = static_cast<PBYTE>(LockResource(LoadResource(nullptr, group)));
            int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
            auto* header = static_cast<const BITMAPINFOHEADER*>(
                LockResource(LoadResource(nullptr, FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_ICON))));
            ASSERT_TRUE(header);
            EXPECT_EQ(header->biWidth, size);
            toolkit::UniqueIcon icon(app::LoadTrayIcon(dpi, resource == app::kTrayIconForLightTaskbar));
            EXPECT_EQ(width(icon.get()), size);
        }
    }
    // The running program's icon: the primary monitor's size, another image once the taskbar turns dark.
    HICON light = form.Tray()->Data().hIcon;
    const long size = width(light);
    EXPECT_EQ(size, toolkit::SmallIconSize(toolkit::DpiAtPoint({0, 0})));
    SetThemeValue(L"SystemUsesLightTheme", false);
    AnnounceThemeChange(form.Handle());
    EXPECT_FALSE(Theme::Current().Settings().taskbarLight);
    EXPECT_NE(form.Tray()->Data().hIcon, light);
    EXPECT_EQ(width(form.Tray()->Data().hIcon), size);
}

TEST(KindIcons, MenuBitmapsCarryTheIconsAlphaWithNoBoxBehind) {
    toolkit::ImageList list;
    app::LoadKindIcons(list, 96);
    HBITMAP bitmap = list.MenuBitmap(clips::kPlainText);
    ASSERT_TRUE(bitmap);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof(section), &section), int(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    auto pixel = [&](int x, int y) {
        const auto* row = static_cast<const BYTE*>(section.dsBm.bmBits) + y * section.dsBm.bmWidthBytes;
        return reinterpret_cast<const RGBQUAD*>(row)[x];
    };
    // Outside the page: nothing at all; on it: opaque white; on its edge, premultiplied.
    RGBQUAD corner = pixel(0, 0), page = pixel(4, 4);
    EXPECT_EQ(corner.rgbReserved | corner.rgbRed | corner.rgbGreen | corner.rgbBlue, 0);
    EXPECT_EQ(page.rgbReserved, 255);
    EXPECT_EQ(page.rgbRed, 255);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            RGBQUAD p = pixel(x, y);
            EXPECT_LE(std::max({p.rgbRed, p.rgbGreen, p.rgbBlue}), p.rgbReserved) << x << "," << y;
        }
}
