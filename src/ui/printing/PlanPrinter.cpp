#include "ui/printing/PlanPrinter.h"

#include <QFontDatabase>
#include <QImage>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <optional>

#include "base/cp932.h"

namespace rk::ui {
namespace {

QString faceFor(const printing::LogFont& f) {
    const QString face = QString::fromStdString(cp932::toUtf8(f.faceName));
    if (face.contains(QString::fromUtf8("明朝")) || face.contains("Mincho", Qt::CaseInsensitive)) return "IPAMincho";
    if (face.isEmpty() || face == "System" || face.contains(QString::fromUtf8("ゴシック")) ||
        !QFontDatabase::hasFamily(face))
        return "IPAGothic";
    return face;
}

}  // namespace

void paintPage(QPainter& p, const printing::Document& doc, const printing::Page& page) {
    const QFont title = fontFor(doc.titleFont, doc.titleHeight, p);
    const QFont data = fontFor(doc.dataFont, doc.dataHeight, p);
    for (const auto& i : page.images) {
        const QImage image(QString::fromStdString(i.path));
        if (!image.isNull()) p.drawImage(QRect(i.x, i.y, i.w, i.h), image);  // a missing picture is left out
    }
    for (const auto& b : page.boxes) {
        QRect r(b.x, b.y, b.w, b.h);
        if (b.fill != 0xFFFFFFFF) p.fillRect(r, QColor::fromRgb(b.fill));
        if (b.frame) p.drawRect(r);
    }
    for (const auto& r : page.rules) {
        QPen pen(QColor::fromRgb(r.colour));
        pen.setWidth(r.width);
        p.setPen(pen);
        p.drawLine(r.x1, r.y1, r.x2, r.y2);
    }
    p.setPen(Qt::black);
    for (const auto& t : page.texts) {
        QFont f = t.font == printing::FontRole::Title ? title : data;
        if (t.height > 0) f.setPixelSize(t.height);
        p.setFont(f);
        const QString s = QString::fromStdString(t.text);
        const QFontMetrics fm = p.fontMetrics();
        int x = t.x;
        if (t.align == printing::Align::Right) x -= fm.horizontalAdvance(s);
        if (t.align == printing::Align::Center) x -= fm.horizontalAdvance(s) / 2;
        p.drawText(QPoint(x, t.y + fm.ascent()), s);
    }
}

QFont fontFor(const printing::LogFont& f, int pixelHeight, const QPainter& painter) {
    QFont font(faceFor(f));
    if (pixelHeight <= 0) {
        pixelHeight = printing::defaultDataHeight(painter.device()->logicalDpiY());
    }
    font.setPixelSize(pixelHeight);
    if (f.weight >= 600) font.setBold(true);
    font.setItalic(f.italic != 0);
    font.setUnderline(f.underline != 0);
    return font;
}

QString fontFamily(const printing::LogFont& f) { return faceFor(f); }

printing::LogFont logFontOf(const QFont& font) {
    printing::LogFont f = printing::systemFont();
    cp932::assign(f.faceName, font.family().toStdString());
    f.faceName[31] = '\0';
    f.height = font.pixelSize() > 0 ? -font.pixelSize() : 0;
    f.weight = font.bold() ? 700 : 400;
    f.italic = font.italic() ? 1 : 0;
    f.underline = font.underline() ? 1 : 0;
    f.charSet = 128;  // Shift-JIS
    return f;
}

printing::PageArea printableArea(const QPrinter& printer) {
    const QRect r = printer.pageLayout().paintRectPixels(printer.resolution());
    return {0, 0, r.width(), r.height(), printer.resolution()};
}

bool printDocument(const Planner& planner, QPrinter& printer) {
    printing::Document doc = planner(printableArea(printer));
    // A document on paper of its own size (tags) is planned again on that paper; the printer
    // keeps its paper for the other documents.
    std::optional<QPageLayout> kept;
    if (doc.pageWidthInch > 0 && doc.pageHeightInch > 0) {
        kept = printer.pageLayout();
        const QPageSize size(QSizeF(doc.pageWidthInch, doc.pageHeightInch), QPageSize::Inch, "tag",
                             QPageSize::ExactMatch);
        printer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        doc = planner(printableArea(printer));
    }
    printer.setDocName(QString::fromStdString(doc.name));
    bool ok = true;
    QPainter p;
    if (!p.begin(&printer)) {
        ok = false;
    } else {
        for (size_t i = 0; i < doc.pages.size() && ok; ++i) {
            if (i > 0 && !printer.newPage()) ok = false;
            if (ok) paintPage(p, doc, doc.pages[i]);
        }
        ok = p.end() && ok;
    }
    if (kept) printer.setPageLayout(*kept);
    return ok;
}

QPrinter& sharedPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void pageSetup(QWidget* parent) {
    QPageSetupDialog dialog(&sharedPrinter(), parent);
    dialog.exec();
}

bool printWithDialog(const Planner& planner, QWidget* parent) {
    QPrinter& printer = sharedPrinter();
    printer.setOutputFormat(QPrinter::NativeFormat);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    return printDocument(planner, printer);
}

void showPreview(const Planner& planner, QWidget* parent) {
    QPrintPreviewDialog preview(&sharedPrinter(), parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&planner](QPrinter* p) { printDocument(planner, *p); });
    preview.exec();
}

bool writePdf(const Planner& planner, const QString& path, bool landscape) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    return printDocument(planner, printer);
}

}  // namespace rk::ui
