#pragma once
// Modal message boxes with an OK button, the logic's titles and icons.
#include <QMessageBox>
#include <string>
#include <vector>

#include "core/seams.h"

namespace novarel::ui {

struct ShownMessage {
    std::string text;
    std::string title;
    QMessageBox::Icon icon;
};

QMessageBox::Icon IconOf(MessageIcon icon);

class MessageBoxes final : public MessageSink {
public:
    // Scripted: the box is built and recorded but not waited for (tests).
    explicit MessageBoxes(bool scripted) : scripted_(scripted) {}
    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
    // A question with Yes and No, No the default; true for Yes. Scripted,
    // it is recorded and answered with scriptedAnswer.
    bool ask(std::string_view text, std::string_view title);
    const std::vector<ShownMessage>& shown() const { return shown_; }
    bool scriptedAnswer = true;

private:
    bool scripted_;
    std::vector<ShownMessage> shown_;
};

}  // namespace novarel::ui
