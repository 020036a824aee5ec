#include "app/input_form.h"

#include "app/days_box.h"

namespace novarel {
namespace {
constexpr int Backspace = 8;
}

InputForm::InputForm(InputFormLinks links) : links_(links) {}

CalcRequest& InputForm::Controls() {
    EnsureLoaded();
    return links_.request;
}

void InputForm::EnsureLoaded() {
    if (loaded_) return;
    loaded_ = true;
    PositioningFlag = true;
    links_.window.placeWindow(
        WindowRect{double(InputTop), double(InputLeft), double(InputHeight), double(InputWidth)});
    PositioningFlag = false;
    const std::tm today = links_.clock.now();
    links_.request.txtMonth = std::to_string(today.tm_mon + 1);
    links_.request.txtDay = std::to_string(today.tm_mday);
    links_.request.txtYear = std::to_string(today.tm_year + 1900);
    links_.state.NoonFlag = links_.request.optNoon() ? 1 : 0;
    Refresh();
}

void InputForm::Resize(const WindowRect& rect) {
    if (PositioningFlag) return;
    const StoredPlace p = StorePlace(rect);
    InputTop = p.top;
    InputLeft = p.left;
    InputWidth = p.width;
    InputHeight = p.height;
}

bool InputForm::KeyPasses(int characterCode) {
    return characterCode == Backspace || (characterCode >= '0' && characterCode <= '9');
}

TextSelection InputForm::SelectionOnFocus(const std::string& text) {
    return TextSelection{0, static_cast<int>(text.size())};
}

void InputForm::DaysTextChanged(const std::string& text) {
    const DaysBox box = CorrectDaysText(text);
    const bool corrected = box.text != text;
    txtDays_ = box.text;
    VSDays_ = box.days;
    links_.request.NumberOfDays = box.days;
    if (corrected) Refresh();
}

void InputForm::SpinChanged(int value) {
    DaysTextChanged(std::to_string(value));
    Refresh();
}

void InputForm::SetFullMonth(bool checked) {
    Controls().chkFullMonth = checked;
    DaysTextChanged(txtDays_);
    Refresh();
}

void InputForm::PrepareRun(OutputKind outputKind) {
    links_.state.NoonFlag = links_.request.optMidnight() ? 0 : 1;
    links_.buffer.EmptyData();
    links_.buffer.ClearPage();
    links_.state.OutputKind = outputKind;
}

RunOutcome InputForm::CalculateEphemeris(Generators& generators) {
    PrepareRun(OutputKind::Ephemeris);
    return FocusWrongBox(generators.runEphemeris());
}

RunOutcome InputForm::CalculateAspectarian(Generators& generators) {
    PrepareRun(OutputKind::Aspectarian);
    return FocusWrongBox(generators.runAspectarian());
}

RunOutcome InputForm::CalculateTransits(Generators& generators) {
    PrepareRun(OutputKind::Transits);
    return FocusWrongBox(generators.runTransits());
}

RunOutcome InputForm::FocusWrongBox(RunOutcome outcome) {
    if (outcome == RunOutcome::InvalidInput)
        if (const std::optional<DateBox> box = FirstWrongDateBox(links_.request))
            links_.window.focusDateBox(*box);
    return outcome;
}

void InputForm::Show() {
    EnsureLoaded();
    visible_ = true;
    links_.window.show();
}

void InputForm::Hide() {
    visible_ = false;
    links_.window.hide();
}

void InputForm::Refresh() { links_.window.refresh(*this); }

}  // namespace novarel
