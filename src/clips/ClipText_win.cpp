#include "clips/ClipText_win.h"

#include "clipboard/ClipboardOwner_win.h"
#include "clipboard/ClipboardText_win.h"
#include "clipboard/ClipboardWrite_win.h"
#include "clipboard/PrivateContent_win.h"
#include "clips/Caption.h"
#include "clips/ClipPreview_win.h"
#include "clips/LiteHtml.h"
#include "clips/RtfText.h"
#include "common/Text.h"
#include "personal/PersonalRecord.h"

namespace clips {

bool TClipText::Offered(const clipboard::ClipboardFormats& offered) {
    return offered.Has(CF_TEXT) || offered.Has(CF_UNICODETEXT) || offered.Has(CF_OEMTEXT);
}

bool TClipText::CaptureFromClipboard() {
    Text = clipboard::ReadClipboardUnicodeText();
    return !common::IsBlank(Text);
}

void TClipText::CaptionFromText(int captionLength) { SetCaption(MakeCaption(Text, captionLength)); }

void TClipText::NameForHistory(int captionLength) {
    CaptionFromText(captionLength);
    SetKind(IsLink(Text) ? kLinkText : kPlainText);
}

void TClipText::RestoreToClipboard() const {
    clipboard::ClipboardWrite write;
    write.AddUnicodeText(Text);
    write.Commit();
}

void TClipText::ShowPreview(ClipPreview& preview) const {
    preview.ShowText(*this, Kind() == kLinkText ? kLinkLabel : kTextLabel, Text);
}

ClipCommands TClipText::Commands() const {
    ClipCommands commands = TClip::Commands();
    commands.sendsAsMail = true;
    commands.transforms = Kind() == kPlainText;
    commands.opens = Kind() == kLinkText;
    commands.text = Text;
    return commands;
}

void TClipText::WriteRecord(personal::ClipRecord& record) const {
    TClip::WriteRecord(record);
    record.Text = Text;
    record.Backup = Backup;
}

void TClipText::ReadRecord(personal::ClipRecord& record) {
    TClip::ReadRecord(record);
    Text = std::move(record.Text);
    Backup = std::move(record.Backup);
}

void TClipFormattedText::NameForHistory(int captionLength) {
    CaptionFromText(captionLength);
    SetKind(FormattedKind());
}

bool TClipFormattedText::CaptureFromClipboard() {
    Formatted() = clipboard::ReadClipboardText(Format());
    Text = clipboard::ReadClipboardUnicodeText();
    return !common::IsBlank(Text) || !common::IsBlank(Formatted());
}

std::string TClipFormattedText::PlainTextCopy() const { return common::IsBlank(Text) ? ShownText() : Text; }

void TClipFormattedText::RestoreToClipboard() const {
    clipboard::ClipboardWrite write;
    write.AddText(Format(), Formatted());
    write.AddUnicodeText(Text);
    write.Commit();
}

bool TClipRichText::Offered(const clipboard::ClipboardFormats& offered) {
    return offered.Has(clipboard::RichTextFormat);
}

UINT TClipRichText::Format() const { return clipboard::RichTextFormat; }

std::string TClipRichText::ShownText() const { return RtfPlainText(RichText); }

void TClipRichText::ShowPreview(ClipPreview& preview) const { preview.ShowText(*this, kRichTextLabel, PlainTextCopy()); }

void TClipRichText::WriteRecord(personal::ClipRecord& record) const {
    TClipText::WriteRecord(record);
    record.RichText = RichText;
}

void TClipRichText::ReadRecord(personal::ClipRecord& record) {
    TClipText::ReadRecord(record);
    RichText = std::move(record.RichText);
}

bool TClipHTMLText::Offered(const clipboard::ClipboardFormats& offered) { return offered.Has(clipboard::HTMLFormat); }

UINT TClipHTMLText::Format() const { return clipboard::HTMLFormat; }

std::string TClipHTMLText::LiteHTMLText() const { return LiteHtmlFragment(HTMLText); }

void TClipHTMLText::ShowPreview(ClipPreview& preview) const { preview.ShowText(*this, kHtmlLabel, LiteHTMLText()); }

void TClipHTMLText::WriteRecord(personal::ClipRecord& record) const {
    TClipText::WriteRecord(record);
    record.HTMLText = HTMLText;
}

void TClipHTMLText::ReadRecord(personal::ClipRecord& record) {
    TClipText::ReadRecord(record);
    HTMLText = std::move(record.HTMLText);
}

}  // namespace clips
