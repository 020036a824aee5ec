#pragma once
// The bounded text buffer behind the Data window: every line generated since
// the last emptying (DataLines) and the page now shown (PageLines).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/seams.h"

namespace novarel {

constexpr std::int16_t MaxBufferLines = 32767;
constexpr int BufferWarningThreshold = 1000;
// Shown when a page leaves more than BufferWarningThreshold lines in the buffer.
inline constexpr std::string_view BufferNearlyFullMessage =
    "The data buffer is nearly full. Please consider clearing the data buffer by clicking on the "
    "'Clear all data' menu item.";
inline constexpr const char* LineBreak = "\r\n";
inline constexpr const char* TitlePrefix = "NOVAREL_SE - ";

class DataBuffer {
public:
    DataBuffer(MessageSink& messages, DataView& view) : messages_(&messages), view_(&view) {}

    // The line the next AppendLine takes.
    std::string CurrentLine;

    void AppendLine();
    void AppendBlankLine();
    void ClearPage();
    void EmptyData();
    void ShowPage();
    // The page, scrolled to its end: what was just appended is in sight.
    void ShowPageAtEnd();

    std::int16_t DataLineCount() const { return static_cast<std::int16_t>(dataLines_.size()); }
    std::int16_t PageLineCount() const { return static_cast<std::int16_t>(pageLines_.size()); }
    // Entries 0 .. count; entry count is the trailing empty entry.
    const std::string& DataLine(int i) const {
        return i < DataLineCount() ? dataLines_[static_cast<std::size_t>(i)] : empty_;
    }
    const std::string& PageLine(int i) const {
        return i < PageLineCount() ? pageLines_[static_cast<std::size_t>(i)] : empty_;
    }
    const std::vector<std::string>& DataLines() const { return dataLines_; }
    const std::vector<std::string>& PageLines() const { return pageLines_; }

    // The main window's "&Input" command drops the data without a message.
    void ResetDataCount() { EmptyData(); }

    DataView& view() { return *view_; }
    void setView(DataView& view) { view_ = &view; }

private:
    MessageSink* messages_;
    DataView* view_;
    std::vector<std::string> dataLines_;
    std::vector<std::string> pageLines_;
    const std::string empty_;
};

// The page text as the Data window shows it: each entry 0..count with CR LF.
std::string PageText(const std::vector<std::string>& lines);

}  // namespace novarel
