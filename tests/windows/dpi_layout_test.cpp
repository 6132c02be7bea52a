// The dialogs laid out at 96, 120, 144 and 192 dpi, as a move to a monitor of
// that DPI does it (WM_DPICHANGED): everything scales with the DPI, nothing
// overlaps, and every caption fits in its control.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <map>

#include "TestSupport_win.h"
#include "app/KindIcons_win.h"
#include "app/PreferencesDialog_win.h"
#include "clips/ClipKind.h"
#include "history/RenameDialog_win.h"
#include "toolkit/Dialog_win.h"

using namespace testing_support;

namespace {

const UINT kDpis[] = {96, 120, 144, 192};

struct Control {
    HWND parent;
    RECT rect;  // in its parent's client area
    std::string className, text;
};

std::map<HWND, Control> Controls(HWND dialog) {
    std::map<HWND, Control> controls;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM all) -> BOOL {
            Control c{GetParent(child), {}, std::string(64, '\0'), toolkit::WindowText(child)};
            c.className.resize(static_cast<size_t>(GetClassNameA(child, c.className.data(), 64)));
            GetWindowRect(child, &c.rect);
            MapWindowPoints(nullptr, c.parent, reinterpret_cast<POINT*>(&c.rect), 2);
            (*reinterpret_cast<std::map<HWND, Control>*>(all))[child] = c;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    return controls;
}

SIZE TextSize(HWND control, const std::string& text) {
    toolkit::WindowDC dc(control);
    toolkit::SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    const std::wstring wide = common::Wide(text);
    GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

// Lays `dialog` out at each DPI and checks it against its layout at 96 dpi.
void CheckAtEachDpi(HWND dialog) {
    std::map<HWND, Control> design = Controls(dialog);
    RECT window{};
    GetWindowRect(dialog, &window);
    for (UINT dpi : kDpis) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        RECT suggested{window.left, window.top, window.left + toolkit::Scale(window.right - window.left, dpi),
                       window.top + toolkit::Scale(window.bottom - window.top, dpi)};
        SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        std::map<HWND, Control> now = Controls(dialog);
        for (const auto& [hwnd, c] : now) {
            SCOPED_TRACE(c.className + " \"" + c.text + "\"");
            // The up-down and the tab pages are placed by the system: the edit and the strip they belong to are
            // checked.
            if (c.className == UPDOWN_CLASSA || c.className == "#32770" || c.className == STATUSCLASSNAMEA) continue;
            const RECT& was = design.at(hwnd).rect;
            auto scales = [&](LONG actual, LONG at96, LONG slack) {
                EXPECT_NEAR(actual, toolkit::Scale(at96, dpi), slack) << "at 96 dpi: " << at96;
            };
            scales(c.rect.left, was.left, 1);
            scales(c.rect.top, was.top, 1);
            // Sizes that follow a font follow its rounding too.
            bool numberEdit = c.className == "Edit" && GetWindowLongA(hwnd, GWL_STYLE) & ES_NUMBER;
            if (c.className != "Static" && !numberEdit) scales(c.rect.right - c.rect.left, was.right - was.left, 1);
            scales(c.rect.bottom - c.rect.top, was.bottom - was.top, 2);
            // Its caption fits (a check box's box comes before it).
            if (!c.text.empty()) {
                SIZE text = TextSize(hwnd, c.text);
                int box =
                    c.className == "Button" && (GetWindowLongA(hwnd, GWL_STYLE) & BS_AUTOCHECKBOX) == BS_AUTOCHECKBOX
                        ? toolkit::Scale(16, dpi)
                        : 0;
                EXPECT_GE(c.rect.right - c.rect.left, text.cx + box);
                EXPECT_GE(c.rect.bottom - c.rect.top, text.cy);
            }
            // Nothing overlaps another control on the same page (an up-down lies on its edit's border).
            for (const auto& [other, o] : now) {
                RECT both{};
                if (other != hwnd && o.parent == c.parent && o.className != "#32770" && o.className != WC_TABCONTROLA &&
                    o.className != UPDOWN_CLASSA && c.className != WC_TABCONTROLA) {
                    EXPECT_FALSE(IntersectRect(&both, &c.rect, &o.rect))
                        << "overlaps " << o.className << " \"" << o.text << '"';
                }
            }
        }
        // The status bar stays below the buttons.
        for (const auto& [hwnd, c] : now) {
            if (c.className != STATUSCLASSNAMEA) continue;
            for (const auto& [other, o] : now)
                if (o.className == "Button" && o.parent == dialog) {
                    EXPECT_LE(o.rect.bottom, c.rect.top);
                }
        }
    }
}

}  // namespace

TEST(DpiLayout, PreferencesScaleWithoutOverlapsAndWithRoomForTheirCaptions) {
    MessageBoxRecorder boxes;
    TimedSteps steps({OnDialog(app::kPreferencesTitle, [](HWND dialog) {
        CheckAtEachDpi(dialog);
        Click(GetDlgItem(dialog, IDCANCEL));
    })});
    app::TfrmPreferences dialog{common::Settings{}};
    EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
    EXPECT_TRUE(steps.Done());
}

TEST(DpiLayout, RenameDialogScalesWithoutOverlapsAndWithRoomForItsCaptions) {
    TimedSteps steps({OnDialog(history::kRenameTitle, [](HWND dialog) {
        CheckAtEachDpi(dialog);
        Click(GetDlgItem(dialog, IDCANCEL));
    })});
    EXPECT_FALSE(history::AskNewName("名字", 64));
    EXPECT_TRUE(steps.Done());
}

TEST(DpiLayout, KindIconsComeAtTheSmallIconSizeOfEachDpiFromImagesOfThatSize) {
    toolkit::ImageList list;
    for (UINT dpi : kDpis) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        int size = toolkit::SmallIconSize(dpi);
        EXPECT_EQ(size, toolkit::Scale(16, dpi));
        app::LoadKindIcons(list, dpi);
        EXPECT_EQ(list.Width(), size);
        EXPECT_EQ(list.Count(), clips::kLinkText + 1);
        for (int kind = clips::kPlainText; kind <= clips::kLinkText; ++kind) {
            // The resource has an image of exactly that size: it is taken as it is, not stretched.
            HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(app::kKindIconBase + kind), RT_GROUP_ICON);
            ASSERT_TRUE(group);
            auto* directory = static_cast<PBYTE>(LockResource(LoadResource(nullptr, group)));
            int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
            HRSRC image = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_ICON);
            ASSERT_TRUE(image);
            auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, image)));
            EXPECT_EQ(header->biWidth, size);
        }
    }
}
