#include "history/History_win.h"

#include "clips/Clip_win.h"
#include "common/Settings.h"

namespace history {
namespace {
const char kEmptyMarker[] = "[  空  ]";

std::unique_ptr<toolkit::MenuItem> MakeMarker() {
    auto marker = std::make_unique<toolkit::MenuItem>(kEmptyMarker);
    marker->SetEnabled(false);
    return marker;
}
}  // namespace

History::History(toolkit::MenuItem& menu) : mniHistory(menu) {
    auto add = [&](std::unique_ptr<toolkit::MenuItem> item) {
        toolkit::MenuItem* raw = item.get();
        mniHistory.Add(std::move(item));
        return raw;
    };
    sepPersonalHistory = add(std::make_unique<toolkit::MenuItem>("-"));
    mniPersonalHistoryEmpty = add(MakeMarker());
    sepClipboardHistory = add(std::make_unique<toolkit::MenuItem>("-"));
    mniClipboardHistoryEmpty = add(MakeMarker());
    for (toolkit::MenuItem* header : {sepPersonalHistory, sepClipboardHistory})
        header->SetOwnerDraw(
            [this](toolkit::MenuItem& sender, HDC dc, UINT& width, UINT& height) {
                sepClipboardHistoryMeasureItem(sender, dc, width, height);
            },
            [this](toolkit::MenuItem& sender, const DRAWITEMSTRUCT& draw) { sepClipboardHistoryDrawItem(sender, draw); });
}

int History::Begin(Section section) const {
    toolkit::MenuItem* marker = section == Section::Personal ? mniPersonalHistoryEmpty : mniClipboardHistoryEmpty;
    return marker->MenuIndex() + 1;
}

int History::End(Section section) const {
    return section == Section::Personal ? sepClipboardHistory->MenuIndex() : mniHistory.Count();
}

std::vector<clips::TClip*> History::Clips(Section section) const {
    std::vector<clips::TClip*> clips;
    for (int i = Begin(section), end = End(section); i < end; ++i)
        clips.push_back(static_cast<clips::TClip*>(mniHistory.Items(i)));  // a section holds clips alone
    return clips;
}

clips::TClip* History::ClipOf(const toolkit::MenuItem* item) const {
    if (!item || item->Parent() != &mniHistory) return nullptr;
    int i = item->MenuIndex();
    for (Section section : {Section::Personal, Section::Clipboard})
        if (i >= Begin(section) && i < End(section)) return static_cast<clips::TClip*>(mniHistory.Items(i));
    return nullptr;
}

Section History::SectionOf(const clips::TClip& clip) const {
    return clip.MenuIndex() >= Begin(Section::Clipboard) ? Section::Clipboard : Section::Personal;
}

clips::TClip* History::ClipAtPlatformPosition(int position) const {
    return ClipOf(mniHistory.ItemAtPlatformIndex(position));
}

void History::Insert(int position, std::unique_ptr<clips::TClip> clip) {
    clip->OnClick = [this](toolkit::MenuItem& sender) {
        clips::TClip* clicked = ClipOf(&sender);
        if (!clicked) return;
        if (OnPick) OnPick(*clicked);
        else ClipClick(*clicked);
    };
    mniHistory.Insert(position, std::move(clip));
}

void History::Append(std::unique_ptr<clips::TClip> clip) {
    clips::TClip& appended = *clip;
    clip->NameForHistory();
    clip->StampCapture();
    Insert(End(Section::Clipboard), std::move(clip));
    appended.SetDefault(true);
    UpdateHistory();
}

void History::AppendLoaded(std::unique_ptr<clips::TClip> clip) {
    if (clip->Default()) clip->SetDefault(false);
    Insert(End(Section::Personal), std::move(clip));
    UpdateHistory();
}

void History::MoveTo(clips::TClip& clip, Section section) {
    std::unique_ptr<toolkit::MenuItem> taken = mniHistory.Remove(&clip);
    mniHistory.Insert(End(section), std::move(taken));
    UpdateHistory();
    PersonalHistoryChanged();  // one section or the other: the personal one changed
}

void History::Remove(clips::TClip& clip) {
    bool personal = SectionOf(clip) == Section::Personal;
    delete &clip;  // the menu owned it
    UpdateHistory();
    if (personal) PersonalHistoryChanged();
}

void History::Empty(Section section) {
    for (int i = End(section) - 1; i >= Begin(section); --i) delete mniHistory.Items(i);
    UpdateHistory();
    if (section == Section::Personal) PersonalHistoryChanged();
}

void History::UpdateHistory() {
    if (OnUpdateHistory) OnUpdateHistory();
    else UpdateMarkersAndTrim();
}

void History::UpdateMarkersAndTrim() {
    mniPersonalHistoryEmpty->SetVisible(Count(Section::Personal) == 0);
    // A lowered limit takes effect at once: cut every clip beyond it, oldest first.
    int limit = common::settings().MaxHistorySize;
    if (limit < 1) limit = 1;  // a history that keeps nothing would drop every capture
    while (Count(Section::Clipboard) > limit) delete mniHistory.Items(Begin(Section::Clipboard));
    mniClipboardHistoryEmpty->SetVisible(Count(Section::Clipboard) == 0);
}

}  // namespace history
