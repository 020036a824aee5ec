#include "ui/natal_charts_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/program.h"
#include "natal/chart_file.h"
#include "ui/qt_text.h"
#include "ui/window_host.h"
#include "ui/zone_box.h"

namespace novarel::ui {
namespace {

bool IsNumberField(ChartField field) {
    return field == ChartField::Month || field == ChartField::Day || field == ChartField::Year ||
           field == ChartField::Hour || field == ChartField::Minute;
}

}  // namespace

NatalChartsWindow::NatalChartsWindow(WindowHost& host)
    : host_(host),
      form_(NatalChartsFormLinks{host.program().request, host.program().seams().messages,
                                 ChartFilePath(host.program().programDirectory())}) {
    setObjectName("NatalCharts");
    setWindowTitle(Qs(NatalChartsTitle));
    setAccessibleName(Qs(NatalChartsTitle));
    setWindowFlag(Qt::Window);

    list_ = new QListWidget(this);
    list_->setObjectName("lstCharts");
    list_->setAccessibleName("Charts");
    controls_["Charts"] = list_;
    auto* listLabel = new QLabel("Charts", this);
    listLabel->setBuddy(list_);

    auto label = [this](ChartField field) {
        auto* l = new QLabel(Qs(CaptionOf(field)), this);
        l->setBuddy(boxes_.at(field));
        return l;
    };
    for (const ChartFieldCaption& c : ChartFieldCaptions)
        if (c.field != ChartField::TimeZone) Box(c.field);
    zone_ = new ZoneBox(Qs(CaptionOf(ChartField::TimeZone)), this);
    zone_->setObjectName("cboTimeZone");
    boxes_[ChartField::TimeZone] = zone_;
    controls_[std::string(CaptionOf(ChartField::TimeZone))] = zone_;

    auto* fieldsLayout = new QFormLayout;
    fieldsLayout->setLabelAlignment(Qt::AlignLeft);
    fieldsLayout->addRow(label(ChartField::Name), boxes_[ChartField::Name]);
    // Month, day, year: the input window's order on the screen and for Tab.
    auto* date = new QHBoxLayout;
    date->addWidget(boxes_[ChartField::Month]);
    date->addWidget(label(ChartField::Day));
    date->addWidget(boxes_[ChartField::Day]);
    date->addWidget(label(ChartField::Year));
    date->addWidget(boxes_[ChartField::Year]);
    date->addStretch(1);
    fieldsLayout->addRow(label(ChartField::Month), date);
    auto* clock = new QHBoxLayout;
    clock->addWidget(boxes_[ChartField::Hour]);
    clock->addWidget(label(ChartField::Minute));
    clock->addWidget(boxes_[ChartField::Minute]);
    clock->addStretch(1);
    fieldsLayout->addRow(label(ChartField::Hour), clock);
    fieldsLayout->addRow(label(ChartField::TimeZone), zone_);
    auto* place = new QHBoxLayout;
    place->addWidget(boxes_[ChartField::Latitude]);
    place->addWidget(label(ChartField::Longitude));
    place->addWidget(boxes_[ChartField::Longitude]);
    fieldsLayout->addRow(label(ChartField::Latitude), place);
    auto* hint = new QLabel(
        "The place in degrees, north and east positive: 40.7128 or 40.7128N, "
        "-74.006 or 74.006W. Without a place the chart has no Ascendant or Midheaven.",
        this);
    hint->setWordWrap(true);
    fieldsLayout->addRow(hint);
    chosen_ = new QLabel(this);
    chosen_->setObjectName("lblChosen");
    fieldsLayout->addRow(chosen_);

    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(listLabel);
    listColumn->addWidget(list_, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(listColumn, 3);
    middle->addLayout(fieldsLayout, 5);

    QPushButton* newButton = Button("New");
    QPushButton* save = Button("Save");
    QPushButton* remove = Button("Delete");
    QPushButton* choose = Button("Choose");
    QPushButton* closeButton = Button("Close");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {newButton, save, remove, choose}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);

    auto* top = new QVBoxLayout(this);
    top->addLayout(middle, 1);
    top->addLayout(buttons);

    // Keyboard order: the list, then the boxes and the buttons as they stand.
    QWidget* order[] = {list_,
                        boxes_[ChartField::Name],
                        boxes_[ChartField::Month],
                        boxes_[ChartField::Day],
                        boxes_[ChartField::Year],
                        boxes_[ChartField::Hour],
                        boxes_[ChartField::Minute],
                        zone_,
                        boxes_[ChartField::Latitude],
                        boxes_[ChartField::Longitude],
                        newButton,
                        save,
                        remove,
                        choose,
                        closeButton};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

    QObject::connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (updating_ || row < 0) return;
        form_.Select(row);
        Refresh();
    });
    for (const auto& [field, box] : boxes_) {
        if (field == ChartField::TimeZone) continue;
        QObject::connect(static_cast<QLineEdit*>(box), &QLineEdit::textChanged, this,
                         [this, f = field](const QString& t) {
                             if (!updating_) form_.fields[f] = Std(t);
                         });
    }
    QObject::connect(zone_, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!updating_) form_.fields.timeZone = Std(t);
    });
    QObject::connect(newButton, &QPushButton::clicked, this, [this] {
        form_.New();
        Refresh();
        boxes_[ChartField::Name]->setFocus(Qt::OtherFocusReason);
    });
    QObject::connect(save, &QPushButton::clicked, this, [this] { Save(); });
    QObject::connect(remove, &QPushButton::clicked, this, [this] { Delete(); });
    QObject::connect(choose, &QPushButton::clicked, this, [this] {
        form_.Choose();
        Refresh();
    });
    QObject::connect(closeButton, &QPushButton::clicked, this, [this] { close(); });
    resize(660, 360);
}

QLineEdit* NatalChartsWindow::Box(ChartField field) {
    auto* box = new QLineEdit(this);
    const std::string caption(CaptionOf(field));
    box->setObjectName(Qs("txt" + caption));
    box->setAccessibleName(Qs(caption));
    if (IsNumberField(field)) {
        box->setAlignment(Qt::AlignCenter);
        box->setMaxLength(field == ChartField::Year ? 5 : 2);
        box->setFixedWidth(
            box->fontMetrics().horizontalAdvance(field == ChartField::Year ? "-00000" : "000") +
            16);
    }
    box->installEventFilter(this);
    boxes_[field] = box;
    controls_[caption] = box;
    return box;
}

QPushButton* NatalChartsWindow::Button(const char* caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString("cmd") + caption);
    b->setAccessibleName(caption);
    // Enter presses the button that has the keyboard.
    b->setAutoDefault(true);
    controls_[caption] = b;
    return b;
}

QWidget* NatalChartsWindow::control(const std::string& caption) const {
    const auto it = controls_.find(caption);
    return it == controls_.end() ? nullptr : it->second;
}

void NatalChartsWindow::load() {
    form_.Load();
    // The chosen chart is the one shown when the window opens.
    const std::string& chosen = host_.program().request.natalChart;
    const auto& charts = form_.charts();
    form_.New();
    for (std::size_t i = 0; i < charts.size(); ++i)
        if (charts[i].name == chosen) form_.Select(static_cast<int>(i));
    Refresh();
}

void NatalChartsWindow::Refresh() {
    updating_ = true;
    const auto& charts = form_.charts();
    bool sameList = list_->count() == static_cast<int>(charts.size());
    for (int i = 0; sameList && i < list_->count(); ++i)
        sameList = list_->item(i)->text() == Qs(charts[static_cast<std::size_t>(i)].name);
    if (!sameList) {
        list_->clear();
        for (const NatalChart& c : charts) list_->addItem(Qs(c.name));
    }
    list_->setCurrentRow(form_.selected());
    for (const auto& [field, box] : boxes_) {
        if (field == ChartField::TimeZone) continue;
        auto* edit = static_cast<QLineEdit*>(box);
        if (edit->text() != Qs(form_.fields[field])) edit->setText(Qs(form_.fields[field]));
    }
    zone_->showZone(form_.fields.timeZone);
    chosen_->setText(Qs(form_.ChosenText()));
    updating_ = false;
}

void NatalChartsWindow::Save() {
    const bool saved = form_.Save();
    Refresh();
    if (!saved) FocusWrongField();
}

void NatalChartsWindow::Delete() {
    const std::string question = form_.DeleteQuestion();
    if (!question.empty() && !host_.ask(question, NatalChartsTitle)) return;
    form_.Delete();
    Refresh();
}

void NatalChartsWindow::FocusWrongField() {
    const std::optional<ChartField> wrong = form_.wrongField();
    if (!wrong) return;
    QWidget* box = boxes_.at(*wrong);
    activateWindow();
    box->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->selectAll();
}

void NatalChartsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool NatalChartsWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Enter in a box saves the chart, as the input window's Enter calculates.
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        Save();
        return true;
    }
    for (const auto& [field, widget] : boxes_) {
        if (widget != box || !IsNumberField(field)) continue;
        const QString text = key->text();
        // Typed characters only: editing keys, shortcuts (a paste) and
        // navigation pass unfiltered.
        const bool typed = !text.isEmpty() && text[0].unicode() >= 0x20 &&
                           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (typed && !NatalChartsForm::KeyPasses(text[0].unicode())) return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace novarel::ui
