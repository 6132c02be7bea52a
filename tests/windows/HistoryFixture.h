#pragma once
// A history menu with the capture routine, "another program" that owns the
// clipboard and our own window (ClipboardOwnerWindow). Settings and message
// boxes are put back after each test.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ClipboardSupport.h"
#include "clips/ClipText_win.h"
#include "common/MessageBox_win.h"
#include "common/Settings.h"
#include "history/History_win.h"

struct HistoryFixture : ::testing::Test {
    testing_support::HiddenWindow other{"AnotherProgram"}, ours{"Pellacor"};
    toolkit::MenuItem root;
    toolkit::MenuItem* mniHistory = nullptr;
    std::unique_ptr<history::History> history;
    common::Settings savedSettings = common::settings();
    common::MessageBoxHandler savedHandler;
    std::vector<std::string> messages;  // "title|text" of every message box

    void SetUp() override {
        clips::ClipboardOwnerWindow = ours.Handle();
        auto menu = std::make_unique<toolkit::MenuItem>("history");
        mniHistory = menu.get();
        root.Add(std::move(menu));
        history = std::make_unique<history::History>(*mniHistory);
        common::Settings& s = common::settings();
        s.MaxHistorySize = 20;
        s.MaxCaptionLength = 20;
        s.NoDuplicatedEntries = true;
        savedHandler = common::SetMessageBoxHandler([this](HWND, const std::string& text, const std::string& title, UINT) {
            messages.push_back(title + "|" + text);
            return IDOK;
        });
    }

    void TearDown() override {
        common::SetMessageBoxHandler(std::move(savedHandler));
        common::settings() = savedSettings;
        clips::ClipboardOwnerWindow = nullptr;
    }

    // Another program puts `formats` on the clipboard; the change is captured.
    void Copy(const testing_support::Formats& formats) {
        ASSERT_TRUE(testing_support::PutOnClipboard(other.Handle(), formats));
        history->ClipboardChanged();
    }
    void CopyText(const std::string& text) { Copy({testing_support::Text(CF_TEXT, text)}); }

    int Clips() const { return history->ClipboardCount(); }
    toolkit::MenuItem* Item(int index) const { return mniHistory->Items(index); }
    toolkit::MenuItem* Newest() const { return mniHistory->Items(mniHistory->Count() - 1); }
    template <typename T = clips::TClipText>
    T* NewestAs() const {
        return dynamic_cast<T*>(Newest());
    }
    // The item holding the default mark, as the platform menu sees it.
    toolkit::MenuItem* PlatformDefault() const {
        return history->ItemAtPlatformPosition(static_cast<int>(GetMenuDefaultItem(mniHistory->Handle(), TRUE, 0)));
    }
    int MarkedItems() const {
        int marked = 0;
        for (int i = 0; i < mniHistory->Count(); ++i) marked += mniHistory->Items(i)->Default() ? 1 : 0;
        return marked;
    }

    // A personal clip, as the personal history file would give it.
    clips::TClipText* AddPersonal(const std::string& text, int kind = clips::kPlainText) {
        auto clip = std::make_unique<clips::TClipText>();
        clip->Text = text;
        clip->SetCaption(text);
        clip->SetImageIndex(kind);
        clips::TClipText* raw = clip.release();
        raw->InsertLoaded(*mniHistory, history->ClipboardSeparatorIndex(), history->ClickAction());
        history->UpdateHistory();
        return raw;
    }
};
