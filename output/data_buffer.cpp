#include "output/data_buffer.h"

#include <fmt/format.h>

#include "core/messages.h"

namespace novarel {
namespace {
constexpr std::string_view FullMessage =
    "Buffer cannot hold any more data. Please print and/or clear data buffer before displaying "
    "any more data. This message may appear up to 35 times depending on how full the buffer is "
    "and how much the program wants to write to it.";
constexpr std::string_view TruncatedMessage =
    "You have generated too much data to fit in the Data Window. I will display what I can and "
    "truncate the rest.";
}  // namespace

void DataBuffer::AppendLine() {
    if (dataLines_.size() >= static_cast<std::size_t>(MaxBufferLines) ||
        pageLines_.size() >= static_cast<std::size_t>(MaxBufferLines)) {
        messages_->showMessage(FullMessage, msg::TitleWarning, MessageIcon::Critical);
        return;
    }
    dataLines_.push_back(CurrentLine);
    pageLines_.push_back(CurrentLine);
}

void DataBuffer::AppendBlankLine() {
    CurrentLine.clear();
    AppendLine();
}

void DataBuffer::ClearPage() { pageLines_.clear(); }

void DataBuffer::EmptyData() { dataLines_.clear(); }

void DataBuffer::ShowPage() {
    if (view_->innerHeight() == 0 || dataLines_.empty()) return;
    AppendBlankLine();

    const std::size_t capacity = view_->textCapacity();
    std::string text;
    const int count = PageLineCount();
    for (int i = 0; i <= count; ++i) {
        const std::string& entry = PageLine(i);
        if (text.size() + entry.size() + 2 > capacity) {
            const int truncated = count - i + 1;
            messages_->showMessage(fmt::format("{}\r\n\r\nI have truncated {} lines of text.",
                                               TruncatedMessage, truncated),
                                   msg::TitleWarning, MessageIcon::Exclamation);
            break;
        }
        text += entry;
        text += LineBreak;
    }
    view_->setText(text);
    if (DataLineCount() > BufferWarningThreshold)
        messages_->showMessage(BufferNearlyFullMessage, msg::TitleWarning,
                               MessageIcon::Information);
    view_->showWindow();
    view_->setCaption(std::string(TitlePrefix) + "Data");
}

void DataBuffer::ShowPageAtEnd() {
    ShowPage();
    if (view_->innerHeight() != 0) view_->showEnd();
}

std::string PageText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) {
        text += l;
        text += LineBreak;
    }
    text += LineBreak;
    return text;
}

}  // namespace novarel
