// Paints the core's page plans on a printer, a print preview or a PDF file.
#pragma once

#include <QFont>
#include <QString>
#include <functional>

#include "printing/page_plan.h"

class QPainter;
class QPrinter;
class QWidget;

namespace rk::ui {

// Plans the document for the printable area of the chosen printer and paper.
using Planner = std::function<printing::Document(const printing::PageArea&)>;

printing::PageArea printableArea(const QPrinter& printer);
// Paints one planned page (printers, previews and the windows that show a plan on screen).
void paintPage(QPainter& p, const printing::Document& doc, const printing::Page& page);
// Paints every page; false when the printer could not be started.
bool printDocument(const Planner& planner, QPrinter& printer);
// The printer every print window uses: the page setup choices stay for the whole run.
QPrinter& sharedPrinter();
// The page setup dialog on the shared printer (the file menu's printer setup).
void pageSetup(QWidget* parent);
// The system's print dialog, then printing. False when cancelled or failed.
bool printWithDialog(const Planner& planner, QWidget* parent);
// The print preview window (modal); printing from it uses the same planner.
void showPreview(const Planner& planner, QWidget* parent);
// A PDF of A4 pages at 600 dpi.
bool writePdf(const Planner& planner, const QString& path, bool landscape = false);

// Where the print windows send their documents: the print dialog and the preview window,
// replaced by tests.
struct PrintOutput {
    std::function<bool(const Planner&, QWidget*)> print = printWithDialog;
    std::function<void(const Planner&, QWidget*)> preview = showPreview;
};

// The font a stored font description stands for: "System" and unknown faces are IPA Gothic.
QFont fontFor(const printing::LogFont& f, int pixelHeight, const QPainter& painter);
// The family a stored font is painted with, and the stored form of a chosen font.
QString fontFamily(const printing::LogFont& f);
printing::LogFont logFontOf(const QFont& font);

}  // namespace rk::ui
