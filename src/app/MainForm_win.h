#pragma once
// The hidden main form. It owns the menus, the kind icons, the histories and
// the clipboard watcher, and runs start-up (FormCreate) and shutdown
// (FormDestroy) as lists of independent steps.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/HotKey_win.h"
#include "app/SettingsFile_win.h"
#include "app/TrayIcon_win.h"
#include "archive/ArchiveSession_win.h"
#include "clipboard/Clpbrd_win.h"
#include "clips/Clip_win.h"
#include "common/Settings.h"
#include "find/FindWindow_win.h"
#include "history/ClipPopup_win.h"
#include "history/History_win.h"
#include "personal/PersonalAutoSave_win.h"
#include "personal/PersonalFile_win.h"
#include "preview/HoverPreview_win.h"
#include "toolkit/ImageList_win.h"
#include "toolkit/MenuEvents_win.h"
#include "toolkit/MenuItem_win.h"
#include "toolkit/Window_win.h"

namespace app {

// Posted by WMMenuChar: opens the find window with the character typed (wParam) once the menu has closed.
constexpr UINT WM_FINDTYPED = WM_APP + 0x130;
// Posted once after start-up: the finder takes the clips between messages.
constexpr UINT WM_FINDPREPARE = WM_APP + 0x131;
// Posted when the archive's worker found the file damaged: it is moved aside and begun anew.
constexpr UINT WM_ARCHIVEDAMAGED = WM_APP + 0x132;
// Posted when the theme, the colours or the display changed: every window of ours and the tray icon follow.
constexpr UINT WM_LOOKCHANGED = WM_APP + 0x133;

class TfrmMain : public toolkit::Window {
public:
    // Creates the window and runs FormCreate. `folder` overrides the
    // application folder (tests keep their settings apart).
    explicit TfrmMain(std::string folder = ApplicationFolder());
    ~TfrmMain() override;

    void FormCreate();
    void FormDestroy();

    // The menus (MainFormMenus_win.cpp): the bar mnuMain is never shown; its
    // three sub-menus open as pop-ups. Tests find their items as a user would, by caption.
    toolkit::MenuItem& Menus() noexcept { return mnuMain; }
    HMENU HistoryMenu() { return mniHistory->Handle(); }
    HMENU GeneralMenu() { return mniGeneral->Handle(); }
    HMENU ClipPopupMenu() { return mniPopup->Handle(); }
    toolkit::ImageList IconList;

    // The clip whose pop-up was opened last, while it lives. The pop-up's
    // commands act on that clip itself, so a capture that shifts the list
    // while the pop-up is open cannot redirect them.
    clips::TClip* PopupClip() const { return popup_->Clip(); }

    history::History& History() { return *history_; }
    clipboard::TClpbrd* Watcher() { return watcher_.get(); }
    const std::string& Folder() const { return folder_; }
    // The one settings value: read at start-up, replaced when the preferences
    // are accepted, written at exit. The parts that use it were handed it.
    common::Settings& Settings() noexcept { return settings_; }
    const common::Settings& Settings() const noexcept { return settings_; }

    // Takes the settings' limit and shows the histories again (tray tip, find window).
    void UpdateHistory() { history_->UpdateHistory(); }
    void ApplyHotKey(bool on);
    // Shows `menu` at the pointer and returns when it has closed.
    void PopupAtCursor(HMENU menu);
    TrayIcon* Tray() { return tray_.get(); }
    // The preview window and the hover timer; the clip pop-up hides it before opening.
    preview::HoverPreview* Hover() { return hover_.get(); }
    const personal::PersonalAutoSave* AutoSave() const { return personalAutoSave_.get(); }
    // From the watcher's message after one or more changes; a clipboard held
    // by another program is tried again a little later.
    void ClipboardChanged();
    // Finding and pasting (MainFormFind_win.cpp). Opens the find window with
    // `typed` in it; `returnTo` gets the foreground back after a pick.
    void OpenFind(const std::wstring& typed, HWND returnTo);
    void PrepareFind();
    find::FindWindow* Find() { return findWindow_.get(); }
    // A clip picked in the history menu or the find window: its plain text
    // alone when `plain` (Shift held) and it has one, else the clip itself.
    // True when the clipboard now holds what was picked.
    bool PickClip(clips::TClip& clip, bool plain);
    // With AutoPaste on, Ctrl+V into `target` when it is another program's
    // window and the foreground window; the caller pastes only what a pick put
    // on the clipboard.
    void PasteInto(HWND target);
    // "监视剪贴板": the user's choice, which the general menu's check mark shows.
    bool MonitorClipboard() const noexcept { return settings_.MonitorClipboard; }
    void SetMonitorClipboard(bool on);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void WMEndSession(bool ending);
    void WMTrayIcon(UINT mouseMessage);
    void WMHotKey();
    // A letter or digit typed in the open history menu closes it and opens the find window.
    LRESULT WMMenuChar(wchar_t typed, HMENU menu);

    // The right button released over an item of an open menu, or the menu key
    // on it: over a clip of the history menu, opens the clip pop-up.
    void WMMenuRButtonUp(int position, HMENU menu, bool fromKeyboard = false);

private:
    void CreateMenus();
    // The preferences dialog (MainFormPreferences_win.cpp); OK applies and saves at once.
    void mniPreferencesClick();
    // The personal history (MainFormPersonal_win.cpp). Loading gives a notice
    // when the folder cannot be reached and is waited for.
    std::optional<common::Problem> LoadPersonalHistory();
    // Saved soon after each change (PersonalAutoSave) and at exit.
    void StartPersonalAutoSave();
    std::vector<personal::ClipRecord> PersonalRecords();
    void SavePersonalHistory();
    // Where the personal clips are saved now: their folder, or the program's
    // own while that one is waited for.
    std::string PersonalFolderNow() const;
    // The folder waited for is there: its file is read, the clips added
    // meanwhile follow its own.
    void LookForPersonalFolder();
    // The clips kept meanwhile are in the personal history again: saved where they belong.
    void MeanwhileMerged();
    LRESULT WMTimer(WPARAM id);
    // The paste at once waits, a moment at most, for its window to be the foreground again.
    void PasteWhenForeground();
    static constexpr UINT_PTR kPasteTimer = 0x51;
    static constexpr UINT kPasteTryMs = 20;
    static constexpr int kPasteTries = 25;
    // The preferences chose the personal history's folder.
    void PersonalFolderChosen();
    static constexpr UINT_PTR kFolderTimer = 0x50;
    static constexpr const char* kMeanwhileFolder = "Personal.meanwhile\\";
    // The clipboard archive (MainFormArchive_win.cpp), kept in the personal
    // history's folder while KeepClipboardHistory is on; not while that folder
    // is waited for. Problems of opening go to `problems`.
    void OpenArchive(std::vector<common::Problem>& problems);
    // The clipboard history filled with the newest archived clips (start-up).
    void FillFromArchive(std::vector<common::Problem>& problems);
    void PruneArchive();
    // Stops every write at once; `deleteStored` deletes the archive's files.
    void CloseArchive(bool deleteStored);
    // The archive's file is damaged: one box, the file moved aside, a new
    // archive; `number` names the archive found so, which may be gone already.
    void ArchiveFoundDamaged();
    void ArchiveDamaged(WPARAM number);
    WPARAM archiveNumber_ = 0;  // counts the archives opened
    // An archived clip picked in the find window, back in the clipboard history; null when it is gone or unreadable (told).
    clips::TClip* BringBackArchived(int64_t id);
    static constexpr UINT_PTR kArchiveTimer = 0x52;

public:
    // The preferences were accepted: the archive follows the settings
    // `before` gave way to (switched on or off, another folder, new limits).
    void ArchiveSettingsChanged(const common::Settings& before, bool deleteStored);
    // What the archive holds now (once what was handed over is written); nothing while there is none.
    std::optional<archive::ArchiveSummary> ArchiveSummary();
    // Deletes every archived clip and waits until it is done.
    void ClearArchive();
    archive::ArchiveSession* Archive() noexcept { return archive_.get(); }

private:
    // The personal history, then the settings: what exit and the end of the session save.
    void SaveWhatMustSurvive();
    // After every change of the histories: the find window and the tray tip follow.
    void HistoryChanged();

    std::string folder_;
    // Before everything that was handed it.
    common::Settings settings_;
    // Before everything that shows itself in the menus, so it goes last.
    toolkit::MenuItem mnuMain;
    toolkit::MenuItem* mniHistory = nullptr;
    toolkit::MenuItem* mniPopup = nullptr;
    toolkit::MenuItem* mniGeneral = nullptr;
    toolkit::MenuItem *mniMonitorClipboard = nullptr, *mniEmptyClipboard = nullptr;
    SettingsFile settingsFile_;
    personal::PersonalHistoryFile personalFile_;
    std::unique_ptr<archive::ArchiveSession> archive_;  // after the history, which writes through it
    std::unique_ptr<history::History> history_;
    std::unique_ptr<personal::PersonalAutoSave> personalAutoSave_;  // after the file it uses
    std::unique_ptr<clipboard::TClpbrd> watcher_;
    std::unique_ptr<HotKey> hotKey_;
    // The tray icon for the primary monitor's DPI and the taskbar's theme,
    // loaded again when either changed or when `again`.
    void ShowTrayIcon(bool again = false);
    void LookChanged();
    toolkit::UniqueIcon trayIcon_;  // outlives the tray record that shows it
    struct TrayLook {
        UINT dpi = 0;
        bool lightTaskbar = true;
        bool operator==(const TrayLook&) const = default;
    } trayLook_;
    bool lookChangePosted_ = false;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<toolkit::MenuContextEvents> menuEvents_;
    std::unique_ptr<history::ClipPopup> popup_;
    std::unique_ptr<preview::HoverPreview> hover_;
    std::unique_ptr<find::FindWindow> findWindow_;
    // While the hot key's menu is open: the window it came from, and whether a pick asks for a paste.
    HWND hotKeyTarget_ = nullptr;
    bool pasteWanted_ = false;
    UINT taskbarCreated_ = 0;
    bool destroyed_ = false;
    // Personal clips loaded at start-up (the tip counts them at once).
    bool personalLoaded_ = false;
    // The personal history's folder could not be reached: nothing is written there yet.
    bool awaitingFolder_ = false;
    HWND pasteTarget_ = nullptr;  // a paste at once waiting for its window
    int pasteTries_ = 0;
};

}  // namespace app
