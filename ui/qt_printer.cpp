#include "ui/qt_printer.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>

#include "core/messages.h"
#include "ui/qt_text.h"

namespace novarel::ui {

QtPrinter::QtPrinter(std::string programDirectory, MessageSink& messages)
    : programDirectory_(std::move(programDirectory)),
      messages_(messages),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setDocName("Novarel_SE");
    printer_->setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        printToPdf(programDirectory_ + "/" + PrintPdfFileName);
}

QtPrinter::~QtPrinter() {
    if (painter_ && painter_->isActive()) painter_->end();
}

void QtPrinter::setup(QWidget* parent) {
    QPrintDialog dialog(printer_.get(), parent);
    dialog.setObjectName("PrinterSetup");
    dialog.setWindowTitle("Printer Setup");
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    dialog.exec();
    QApplication::restoreOverrideCursor();
}

void QtPrinter::printToPdf(const std::string& path) {
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(Qs(path));
}

void QtPrinter::setFont(std::string_view face, int points) {
    // Lines already given keep the font they were given in (a book of
    // several documents may change size between them).
    if (started_ && !lines_.empty()) FlushPage();
    face_ = std::string(face);
    points_ = points;
}

bool QtPrinter::Begin() {
    started_ = true;
    pagesPrinted_ = 0;
    failed_ = false;
    if (printer_->outputFormat() == QPrinter::NativeFormat &&
        QPrinterInfo::availablePrinterNames().isEmpty())
        printToPdf(programDirectory_ + "/" + PrintPdfFileName);
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        failed_ = true;
        return false;
    }
    return true;
}

void QtPrinter::printLine(const std::string& line) {
    if (!started_) Begin();
    // A page asked for after the last line of the previous one starts here,
    // so a document ending on a full page has no empty page after it.
    if (pageRequested_) FlushPage();
    lines_.push_back(line);
}

void QtPrinter::newPage() {
    if (!started_) Begin();
    pageRequested_ = true;
}

void QtPrinter::FlushPage() {
    pageRequested_ = false;
    if (failed_) {
        lines_.clear();
        return;
    }
    QFont font(Qs(face_));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setPointSize(points_);
    painter_->setFont(font);
    const QFontMetricsF metrics(font, printer_.get());
    const QRectF page = printer_->pageLayout().paintRectPixels(printer_->resolution());
    // Keep the sizes: the leading may shrink so that a page's lines fit,
    // and a line wider than the page is drawn narrower, not cut.
    const double count = static_cast<double>(std::max<std::size_t>(lines_.size(), 1));
    double step = metrics.lineSpacing();
    if (step * count > page.height())
        step = std::max(metrics.height() * 0.8, page.height() / count);
    std::size_t widest = 0;
    for (const auto& line : lines_) widest = std::max(widest, line.size());
    const double advance = metrics.horizontalAdvance(QChar('0'));
    const double xScale = static_cast<double>(widest) * advance > page.width()
                              ? page.width() / (static_cast<double>(widest) * advance)
                              : 1.0;
    const auto perSheet = static_cast<std::size_t>(std::max(1.0, std::floor(page.height() / step)));

    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i % perSheet == 0) {
            if (pagesPrinted_ > 0) printer_->newPage();
            ++pagesPrinted_;
        }
        const double y = static_cast<double>(i % perSheet) * step + metrics.ascent();
        painter_->save();
        painter_->scale(xScale, 1.0);
        painter_->drawText(QPointF(0, y), PageToView(lines_[i]));
        painter_->restore();
    }
    if (lines_.empty() && pagesPrinted_ == 0) ++pagesPrinted_;
    lines_.clear();
}

bool QtPrinter::endDocument() {
    if (!started_) Begin();
    FlushPage();
    bool ok = !failed_;
    if (painter_ && painter_->isActive()) ok = painter_->end() && ok;
    painter_.reset();
    started_ = false;
    const bool toFile = printer_->outputFormat() == QPrinter::PdfFormat;
    lastDestination_ = Std(toFile ? printer_->outputFileName() : printer_->printerName());
    if (ok && toFile)
        messages_.showMessage("Printed to the file " + lastDestination_ + ".",
                              msg::TitleInformation, MessageIcon::Information);
    return ok;
}

}  // namespace novarel::ui
