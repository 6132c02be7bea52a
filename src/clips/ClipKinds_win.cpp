#include "clips/ClipKinds_win.h"

#include <initializer_list>

#include "clipboard/PrivateContent_win.h"
#include "clips/ClipFiles_win.h"
#include "clips/ClipImage_win.h"
#include "clips/ClipText_win.h"
#include "clips/ClipWave_win.h"

namespace clips {
namespace {

using Factory = std::unique_ptr<TClip> (*)();
using OfferTest = bool (*)(const clipboard::ClipboardFormats&);

template <typename Clip>
std::unique_ptr<TClip> Make() {
    return std::make_unique<Clip>();
}

struct NamedKind {
    std::string_view name;
    Factory make;
};
template <typename Clip>
constexpr NamedKind Named() {
    return {Clip::kClassName, &Make<Clip>};
}

constexpr NamedKind kClasses[] = {Named<TClip>(),      Named<TClipText>(),  Named<TClipRichText>(),
                                  Named<TClipHTMLText>(), Named<TClipImage>(), Named<TClipFiles>(),
                                  Named<TClipWave>()};

struct CapturedKind {
    OfferTest offered;
    Factory make;
};
template <typename Clip>
constexpr CapturedKind Captured() {
    return {&Clip::Offered, &Make<Clip>};
}

// In capture order; of each group only the first kind offered is read.
const std::initializer_list<CapturedKind> kCaptureOrder[] = {
    {Captured<TClipHTMLText>(), Captured<TClipRichText>(), Captured<TClipText>()},
    {Captured<TClipImage>()},
    {Captured<TClipFiles>()},
    {Captured<TClipWave>()},
};

}  // namespace

std::unique_ptr<TClip> NewClipNamed(std::string_view className) {
    for (const NamedKind& kind : kClasses)
        if (kind.name == className) return kind.make();
    return nullptr;
}

std::vector<CapturedClip> CaptureOffered(const clipboard::ClipboardFormats& offered) {
    std::vector<CapturedClip> captured;
    for (const std::initializer_list<CapturedKind>& group : kCaptureOrder) {
        for (const CapturedKind& kind : group) {
            if (!kind.offered(offered)) continue;
            // The richest kind offered decides; what its capture finds does not.
            CapturedClip one;
            try {
                std::unique_ptr<TClip> clip = kind.make();
                if (clip->CaptureFromClipboard()) one.clip = std::move(clip);
            } catch (...) {
                one.error = std::current_exception();
            }
            if (one.clip || one.error) captured.push_back(std::move(one));
            break;
        }
    }
    return captured;
}

}  // namespace clips
