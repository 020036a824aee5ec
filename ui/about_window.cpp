#include "ui/about_window.h"

#include <fmt/format.h>

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

#include "app/about_texts.h"
#include "ui/qt_text.h"

namespace novarel::ui {

AboutWindow::AboutWindow(const std::string& libraryVersion) {
    setObjectName("About");
    setWindowTitle("About " + Qs(ProgramTitle));
    setAccessibleName("About " + Qs(ProgramTitle));
    setWindowFlag(Qt::Window);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 0, 128));
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    auto label = [this](std::string_view text, const char* name) {
        auto* l = new QLabel(Qs(text), this);
        l->setObjectName(name);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignHCenter);
        // The click goes to the window, which closes.
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        return l;
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 80, 24, 20);
    auto* name = label(ProgramTitle, "lblName");
    name->setAccessibleName(Qs(ProgramTitle));
    // The drawn title shows it; the label is for screen readers.
    name->setStyleSheet("color: transparent");
    layout->addWidget(label(VersionText, "lblVersion"));
    layout->addSpacing(12);
    layout->addWidget(label(AboutNoticeLine1, "lblNotice1"));
    layout->addWidget(label(AboutNoticeLine2, "lblNotice2"));
    layout->addSpacing(8);
    layout->addWidget(label(
        fmt::format("Swiss Ephemeris {} · Qt {}",
                    libraryVersion.empty() ? "(version unknown)" : libraryVersion, qVersion()),
        "lblVersions"));
    layout->addStretch(1);
    // A click anywhere closes the window; the button is the keyboard's way.
    auto* close = new QPushButton("Close", this);
    close->setObjectName("cmdClose");
    close->setAccessibleName("Close");
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    name->setGeometry(0, 0, 1, 1);
    resize(460, 300);
}

void AboutWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    QFont font = this->font();
    const QFont saved = font;
    font.setPointSize(AboutTitlePoints);
    font.setBold(true);
    painter.setFont(font);
    const QString title = Qs(ProgramTitle);
    const double twip = 1.0 / TwipsPerPixelX(this);
    const double x = (width() - painter.fontMetrics().horizontalAdvance(title)) / 2.0;
    const double y = 20 + painter.fontMetrics().ascent();
    // Each pass one twip right and down: a shadow grows under the title.
    painter.setPen(Qt::black);
    for (int pass = 0; pass < AboutShadowPasses; ++pass)
        painter.drawText(QPointF(x + pass * twip, y + pass * twip), title);
    painter.setPen(QColor{QRgb{AboutTitleColour}});
    painter.drawText(QPointF(x, y), title);
    painter.setFont(saved);
}

void AboutWindow::mousePressEvent(QMouseEvent*) { close(); }

}  // namespace novarel::ui
