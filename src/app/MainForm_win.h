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
#include "clips/Clpbrd_win.h"
#include "history/History_win.h"
#include "toolkit/ImageList_win.h"
#include "toolkit/MenuItem_win.h"
#include "toolkit/Window_win.h"

namespace app {

class TfrmMain : public toolkit::Window {
public:
    // Creates the window and runs FormCreate. `folder` overrides the
    // application folder (tests keep their settings apart).
    explicit TfrmMain(std::string folder = ApplicationFolder());
    ~TfrmMain() override;

    void FormCreate();
    void FormDestroy();

    // Menus: the bar mnuMain is never shown; its three sub-menus open as pop-ups.
    toolkit::MenuItem mnuMain;
    toolkit::MenuItem* mniHistory;
    toolkit::MenuItem* mniPopup;
    toolkit::MenuItem* mniGeneral;
    toolkit::MenuItem* mniMonitorClipboard;
    toolkit::MenuItem* mniExit;
    toolkit::ImageList IconList;

    history::History& History() { return *history_; }
    clips::TClpbrd* Watcher() { return watcher_.get(); }
    const std::string& Folder() const { return folder_; }
    const SettingsFile& Settings() const { return settingsFile_; }

    // Ends every change of the history lists: markers, trimming, tray tip.
    void UpdateHistory();
    void ApplyHotKey(bool on);
    // Shows `menu` at the pointer and returns when it has closed.
    void PopupAtCursor(HMENU menu);
    TrayIcon* Tray() { return tray_.get(); }
    HotKey* GlobalHotKey() { return hotKey_.get(); }
    void ClipboardChanged();
    void AddKindIcon(const char* extension);
    void mniMonitorClipboardClick(toolkit::MenuItem& sender);
    void mniExitClick(toolkit::MenuItem& sender);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void WMEndSession(bool ending);
    void WMTrayIcon(UINT mouseMessage);
    void WMHotKey();

private:
    // Runs one start-up or shutdown step; an error is reported and the next step runs.
    bool Step(const std::function<void()>& body);
    void ReportProblems(const std::vector<std::string>& problems);
    // The general menu's "工具" and "帮助" submenus (their commands live in src/preview).
    void AddToolsAndHelpMenus();
    void LoadPersonalHistory();
    void SavePersonalHistory();
    // The personal history, then the settings: what exit and the end of the session save.
    void SaveWhatMustSurvive();

    std::string folder_;
    SettingsFile settingsFile_;
    std::unique_ptr<history::History> history_;
    std::unique_ptr<clips::TClpbrd> watcher_;
    std::unique_ptr<HotKey> hotKey_;
    std::unique_ptr<TrayIcon> tray_;
    UINT taskbarCreated_ = 0;
    bool destroyed_ = false;
    // Personal clips loaded at start-up (the tip counts them at once).
    bool personalLoaded_ = false;
};

}  // namespace app
