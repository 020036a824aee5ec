#include "render/qt_printer.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "core/in_place_file.h"
#include "core/messages.h"
#include "core/replacement_file.h"
#include "render/cups_job.h"
#include "render/page_text.h"
#include "render/postscript_pages.h"
#include "render/truetype_subset.h"

namespace novarel::render {
namespace {

// How much larger than their size the tables may be set on a sideways page.
constexpr double MaxLandscapeGrowth = 1.5;

// Qt's PDF writer writes here: every write goes through the file's writer,
// which keeps the first failure and its reason.
template <typename File>
class FileDevice final : public QIODevice {
public:
    explicit FileDevice(File& file) : file_(file) {}
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        return file_.write({data, static_cast<std::size_t>(size)}) ? size : -1;
    }

private:
    File& file_;
};

// The outlines and metrics of a font as a TrueType file: the tables that
// draw its glyphs, read back from the font Qt resolved for the page.
std::string TrueTypeFileOf(const QRawFont& font) {
    FontTables tables;
    for (const char* tag :
         {"cvt ", "fpgm", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "prep"}) {
        const QByteArray data = font.fontTable(tag);
        if (!data.isEmpty()) tables[tag] = data.toStdString();
    }
    return TrueTypeFile(tables);
}

QFont PrintFont(const std::string& face, double points) {
    QFont font(Qs(face));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setPointSizeF(points);
    return font;
}

}  // namespace

// A PDF document on its way to its file. The pages are drawn on a PDF writer
// set up as the printer is (page layout, resolution, title), so a file
// chosen in Printer Setup and the default PRNTFILE.PDF come out alike. A
// FIFO, a device or /dev/stdout is written into where it is; any other name
// gets a new file that replaces the old one only once complete.
struct QtPrinter::PdfFile {
    explicit PdfFile(const std::string& path) : inPlace(WrittenInPlace(path)) {}
    bool open(const std::string& path) {
        const bool ok = inPlace ? stream.open(path) : file.create(path);
        device.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        return ok;
    }
    int error() const { return inPlace ? stream.error() : file.error(); }

    bool inPlace;
    ReplacementFile file;
    InPlaceFile stream;
    FileDevice<ReplacementFile> replacing{file};
    FileDevice<InPlaceFile> streaming{stream};
    QIODevice& device = inPlace ? static_cast<QIODevice&>(streaming) : replacing;
    std::unique_ptr<QPdfWriter> writer;
};

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
    // An unfinished PDF is discarded: its file keeps what it held.
    if (painter_ && painter_->isActive()) painter_->end();
}

void QtPrinter::setup(QWidget* parent) {
    QPrintDialog dialog(printer_.get(), parent);
    dialog.setObjectName("PrinterSetup");
    dialog.setWindowTitle("Printer Setup");
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    // It sets the printer up for later: its button says so, not "Print".
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) {
            ok->setText("OK");
            ok->setAccessibleName("OK");
        }
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    dialog.exec();
    QApplication::restoreOverrideCursor();
}

bool QtPrinter::landscape() const {
    return printer_->pageLayout().orientation() == QPageLayout::Landscape;
}

void QtPrinter::setLandscape(bool landscape) {
    printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
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

void QtPrinter::ReportPdfFailure(int error) {
    messages_.showMessage("The PDF file " + Std(printer_->outputFileName()) +
                              " cannot be written: " + std::strerror(error) + ".",
                          msg::TitleWarning, MessageIcon::Exclamation);
}

bool QtPrinter::startDocument() { return started_ ? !failed_ : Begin(); }

bool QtPrinter::Begin() {
    started_ = true;
    pagesPrinted_ = 0;
    failed_ = false;
    if (printer_->outputFormat() == QPrinter::NativeFormat &&
        QPrinterInfo::availablePrinterNames().isEmpty())
        printToPdf(programDirectory_ + "/" + PrintPdfFileName);
    if (printer_->outputFormat() == QPrinter::NativeFormat &&
        IsPrintQueue(Std(printer_->printerName())) && StartPostScript())
        return true;
    if (printer_->outputFormat() == QPrinter::PdfFormat) {
        const std::string path = Std(printer_->outputFileName());
        pdf_ = std::make_unique<PdfFile>(path);
        if (!pdf_->open(path)) {
            ReportPdfFailure(pdf_->error());
            pdf_.reset();
            failed_ = true;
            return false;
        }
        pdf_->writer = std::make_unique<QPdfWriter>(&pdf_->device);
        QPdfWriter& writer = *pdf_->writer;
        writer.setPdfVersion(printer_->pdfVersion());
        writer.setResolution(printer_->resolution());
        writer.setPageLayout(printer_->pageLayout());
        writer.setTitle(printer_->docName());
        writer.setCreator(printer_->creator());
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&Pages())) {
        failed_ = true;
        return false;
    }
    return true;
}

bool QtPrinter::StartPostScript() {
    const QPageLayout layout = printer_->pageLayout();
    const QSizeF paper = layout.pageSize().size(QPageSize::Point);
    postscript_ = std::make_unique<PostScriptPages>(
        TrueTypeFileOf(QRawFont::fromFont(PrintFont(face_, points_))), paper.width(),
        paper.height(), landscape());
    if (!postscript_->valid()) postscript_.reset();
    return postscript_ != nullptr;
}

bool QtPrinter::SendPostScript() {
    if (postscript_->pages() == 0) postscript_->newPage();
    JobOptions options = {{"copies", std::to_string(printer_->copyCount())},
                          {"media", Std(printer_->pageLayout().pageSize().key())},
                          {"collate", printer_->collateCopies() ? "true" : "false"}};
    switch (printer_->duplex()) {
        case QPrinter::DuplexNone: options.emplace_back("sides", "one-sided"); break;
        case QPrinter::DuplexLongSide: options.emplace_back("sides", "two-sided-long-edge"); break;
        case QPrinter::DuplexShortSide:
            options.emplace_back("sides", "two-sided-short-edge");
            break;
        case QPrinter::DuplexAuto: break;
    }
    const std::string title = Std(printer_->docName());
    return SendPostScriptJob(Std(printer_->printerName()), title, postscript_->document(title),
                             options);
}

void QtPrinter::AddPostScriptLine(const QString& text, const QFont& font, double y, double xScale) {
    // The glyphs where Qt lays them out on the printer, so that the page is
    // the one a PDF of it shows; PostScript is drawn in points from the
    // page's top left corner.
    const double point = 72.0 / Resolution();
    const QPointF origin = Pages().pageLayout().paintRect(QPageLayout::Point).topLeft();
    QTextLayout layout(text, font, &Pages());
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    std::vector<PrintedGlyph> glyphs;
    double start = 0;
    double previous = 0;
    for (const QGlyphRun& run : line.glyphRuns()) {
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype g = 0; g < indexes.size() && g < positions.size(); ++g) {
            if (glyphs.empty())
                start = positions[g].x();
            else
                glyphs.back().advance = (positions[g].x() - previous) * point;
            previous = positions[g].x();
            glyphs.push_back({static_cast<std::uint16_t>(indexes[g]), 0, 0});
        }
    }
    // One glyph to a character: the glyph font has no ligatures.
    for (qsizetype c = 0; c < text.size() && c < static_cast<qsizetype>(glyphs.size()); ++c)
        glyphs[static_cast<std::size_t>(c)].character = text[c].unicode();
    postscript_->addLine(origin.x() + start * xScale * point, origin.y() + y * point,
                         font.pointSizeF(), xScale, glyphs);
}

QPagedPaintDevice& QtPrinter::Pages() {
    if (pdf_) return *pdf_->writer;
    return *printer_;
}

int QtPrinter::Resolution() const {
    return pdf_ ? pdf_->writer->resolution() : printer_->resolution();
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

void QtPrinter::FitFontToPage(QFont& font, const QRectF& page) {
    // A sideways page is wider than the tables at their size: they are set
    // larger, as far as the widest line and the page's lines still fit.
    if (lines_.empty()) return;
    const QFontMetricsF metrics(font, &Pages());
    std::size_t widest = 0;
    for (const auto& line : lines_) widest = std::max(widest, line.size());
    const double width = static_cast<double>(widest) * metrics.horizontalAdvance(QChar('0'));
    const double height = static_cast<double>(lines_.size()) * metrics.lineSpacing();
    const double fit = std::min({page.width() / width, page.height() / height, MaxLandscapeGrowth});
    if (fit > 1) font.setPointSizeF(std::floor(points_ * fit * 4) / 4);  // quarter points
}

void QtPrinter::FlushPage() {
    pageRequested_ = false;
    if (failed_) {
        lines_.clear();
        return;
    }
    QFont font = PrintFont(face_, points_);
    const QRectF page = Pages().pageLayout().paintRectPixels(Resolution());
    if (landscape()) FitFontToPage(font, page);
    if (painter_) painter_->setFont(font);
    const QFontMetricsF metrics(font, &Pages());
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
            if (postscript_)
                postscript_->newPage();
            else if (pagesPrinted_ > 0)
                Pages().newPage();
            ++pagesPrinted_;
        }
        const double y = static_cast<double>(i % perSheet) * step + metrics.ascent();
        if (postscript_) {
            AddPostScriptLine(LineToPrint(lines_[i]), font, y, xScale);
            continue;
        }
        painter_->save();
        painter_->scale(xScale, 1.0);
        painter_->drawText(QPointF(0, y), LineToPrint(lines_[i]));
        painter_->restore();
    }
    if (lines_.empty() && pagesPrinted_ == 0) ++pagesPrinted_;
    lines_.clear();
}

bool QtPrinter::endDocument() {
    if (!started_) Begin();
    FlushPage();
    bool ok = !failed_;
    if (postscript_) {
        ok = ok && SendPostScript();
        postscript_.reset();
    }
    if (painter_ && painter_->isActive()) ok = painter_->end() && ok;
    painter_.reset();
    started_ = false;
    const bool toFile = printer_->outputFormat() == QPrinter::PdfFormat;
    lastDestination_ = Std(toFile ? printer_->outputFileName() : printer_->printerName());
    if (pdf_ && pdf_->inPlace) {
        ok = pdf_->stream.finish() == 0 && ok;
        if (!ok) ReportPdfFailure(pdf_->error() != 0 ? pdf_->error() : EIO);
        pdf_.reset();
    } else if (pdf_) {
        ReplacementFile& file = pdf_->file;
        ok = ok && file.finishWriting() && file.commit();
        if (!ok) ReportPdfFailure(file.error() != 0 ? file.error() : EIO);
        if (ok) {
            SyncFolder(FolderOf(file.finalPath()));
            // What a killed earlier print to this file left behind.
            RemoveStaleReplacementsOf(file.finalPath());
        }
        pdf_.reset();
    }
    if (ok && toFile)
        messages_.showMessage("Printed to the file " + lastDestination_ + ".",
                              msg::TitleInformation, MessageIcon::Information);
    return ok;
}

}  // namespace novarel::render
