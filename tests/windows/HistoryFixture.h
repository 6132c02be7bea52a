#pragma once
// The real clipboard with a history menu and its capture routine: one hidden
// window plays "another program" that copies, the other is our own
// ClipboardOwnerWindow. The history is handed a settings value of its own
// (Settings{}), which a test may change; message boxes are recorded (none is expected unless a test takes it), and the clipboard
// must never be left open.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <cstring>

#include "TestSupport_win.h"
#include "clipboard/ClipboardOwner_win.h"
#include "clips/ClipText_win.h"
#include "clips/ClipWave_win.h"
#include "common/Settings.h"
#include "history/History_win.h"

struct HistoryFixture : ::testing::Test {
    testing_support::HiddenWindow other{"AnotherProgram"}, ours{"Pellacor"};
    toolkit::MenuItem root;
    toolkit::MenuItem* mniHistory = nullptr;
    common::Settings settings;  // the history reads it at each use
    std::unique_ptr<history::History> history;
    testing_support::MessageBoxRecorder boxes;

    void SetUp() override {
        clipboard::ClipboardOwnerWindow = ours.Handle();
        root.Add(std::make_unique<toolkit::MenuItem>("history"));
        mniHistory = root.Items(0);
        history = std::make_unique<history::History>(*mniHistory, settings);
        Put({});
    }

    void TearDown() override {
        EXPECT_TRUE(testing_support::ClipboardIsFree()) << "the clipboard was left open";
        for (history::Section section : {history::Section::Personal, history::Section::Clipboard})
            for (clips::TClip* clip : history->Clips(section))
                if (auto* wave = dynamic_cast<clips::TClipWave*>(clip)) DeleteFileA(wave->FilePath.c_str());
        EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes.front().text;
        Put({});
        clipboard::ClipboardOwnerWindow = nullptr;
    }

    // Another program puts `formats` on the clipboard; Copy also captures the change.
    void Put(const std::vector<testing_support::Format>& formats) {
        ASSERT_TRUE(testing_support::PutOnClipboard(other.Handle(), formats));
    }
    void Copy(const std::vector<testing_support::Format>& formats) {
        Put(formats);
        history->ClipboardChanged();
    }
    // A Unicode program's copy (the system adds CF_TEXT for readers that want it).
    void CopyText(const std::string& text) { Copy({testing_support::UnicodeText(text)}); }
    // What another program reads: all of the block, or the text up to its zero.
    std::vector<uint8_t> Read(UINT format) const { return testing_support::ClipboardBytes(other.Handle(), format); }
    std::string ReadText(UINT format) const {
        std::vector<uint8_t> bytes = Read(format);
        return {bytes.begin(), std::find(bytes.begin(), bytes.end(), 0)};
    }
    // CF_UNICODETEXT up to its zero, in UTF-8.
    std::string ReadUnicodeText() const {
        std::vector<uint8_t> bytes = Read(CF_UNICODETEXT);
        std::wstring wide(bytes.size() / 2, L'\0');
        std::memcpy(wide.data(), bytes.data(), wide.size() * 2);
        return common::Utf8(wide.substr(0, wide.find(L'\0')));
    }

    int Clips() const { return history->ClipboardCount(); }
    // The clipboard clips, oldest first.
    std::vector<clips::TClip*> ClipboardClips() const { return history->Clips(history::Section::Clipboard); }
    clips::TClip* Newest() const { return history->Clips(history::Section::Clipboard).back(); }
    // Picks the clip's entry in the history menu.
    void Pick(const clips::TClip* clip) const { history->Menu().ItemOf(*clip)->Click(); }
    // The store's word on which clip the clipboard holds.
    bool Marked(const clips::TClip* clip) const { return history->IsOnClipboard(*clip); }
    template <typename T = clips::TClipText>
    T* NewestAs() const {
        return dynamic_cast<T*>(Newest());
    }
    // The clip whose entry holds the default mark, as the platform menu sees it.
    clips::TClip* PlatformDefault() const {
        return history->ClipAtPlatformPosition(static_cast<int>(GetMenuDefaultItem(mniHistory->Handle(), TRUE, 0)));
    }
    int MarkedItems() const {
        int marked = 0;
        for (int i = 0; i < mniHistory->Count(); ++i) marked += mniHistory->Items(i)->Default();
        return marked;
    }

    // A personal clip, as the personal history file would give it.
    clips::TClipText* AddPersonal(const std::string& text) {
        auto clip = std::make_unique<clips::TClipText>();
        clips::TClipText* added = clip.get();
        clip->Text = text;
        clip->SetCaption(text);
        clip->SetKind(clips::kPlainText);
        history->AppendLoaded(std::move(clip));
        return added;
    }
};
