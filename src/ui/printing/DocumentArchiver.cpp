#include "ui/printing/DocumentArchiver.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <memory>

#include "base/money.h"
#include "printing/archive_messages.h"

namespace rk::ui {

QByteArray pdfOf(const Planner& planner) {
    QByteArray bytes;
    QBuffer buffer(&bytes);  // in memory: the archive writes the file itself
    if (!buffer.open(QBuffer::WriteOnly)) return {};
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                                         QPageLayout::Millimeter));
        const QRect r = writer.pageLayout().paintRectPixels(writer.resolution());
        const printing::Document doc = planner({0, 0, r.width(), r.height(), writer.resolution()});
        if (doc.pages.empty()) return {};
        writer.setTitle(QString::fromStdString(doc.name));
        QPainter p;
        if (!p.begin(&writer)) return {};
        for (size_t i = 0; i < doc.pages.size(); ++i) {
            if (i > 0) writer.newPage();
            paintPage(p, doc, doc.pages[i]);
        }
        if (!p.end()) return {};
    }
    return bytes;
}

namespace {

int64_t wholeYen(double v) { return static_cast<int64_t>(money::yen(v)); }

printing::ArchivedDocument entry(const AppContext& ctx, int32_t monthDay, printing::DocumentKind kind, int customer,
                                 double amount) {
    printing::ArchivedDocument d;
    d.date = printing::calendarDate(ctx, monthDay);
    d.kind = kind;
    d.customer = customer;
    d.amount = wholeYen(amount);
    return d;
}

}  // namespace

std::vector<IssuedDocument> deliveryNotesIssued(const AppContext& ctx, const printing::DeliveryRun& run,
                                                const printing::PrintForm& form, printing::DeliveryForm kind,
                                                const std::vector<bool>& which) {
    // The archive keeps one copy of each note, whatever the number printed.
    auto single = std::make_shared<printing::DeliveryRun>(run);
    single->selection.copies = 1;
    std::vector<IssuedDocument> out;
    for (size_t i = 0; i < run.slips.size(); ++i) {
        if (!which.empty() && (i >= which.size() || !which[i])) continue;
        const SlipHeader& h = run.slips[i].header;
        std::vector<bool> one(run.slips.size(), false);
        one[i] = true;
        out.push_back({entry(ctx, h.date, printing::DocumentKind::DeliveryNote, h.customer, h.receivable),
                       [&ctx, single, one, form, kind](const printing::PageArea& area) {
                           return printing::planDeliveryNotes(*single, ctx, form, area, kind, one);
                       }});
    }
    return out;
}

std::vector<IssuedDocument> billsIssued(const AppContext& ctx, const std::vector<printing::Bill>& bills,
                                        const printing::SlipSnapshot& files, const printing::PrintForm& form,
                                        const printing::BillOptions& options) {
    std::vector<IssuedDocument> out;
    for (const printing::Bill& b : bills) {
        out.push_back({entry(ctx, options.issueDate, printing::DocumentKind::Bill, b.customer, b.total()),
                       [&ctx, &files, b, form, options](const printing::PageArea& area) {
                           return printing::planBills({b}, files, ctx, form, area, options);
                       }});
    }
    return out;
}

IssuedDocument receiptIssued(const AppContext& ctx, const PaymentRecord& payment,
                             std::function<printing::Document(const printing::PageArea&)> plan) {
    return {entry(ctx, payment.date, printing::DocumentKind::Receipt, payment.customer, payment.paid), std::move(plan)};
}

bool archiveIssued(const AppContext& ctx, Dialogs& dialogs, const std::vector<IssuedDocument>& documents) {
    const fs::path folder = printing::archiveFolder(ctx);
    for (const IssuedDocument& d : documents) {
        const QByteArray pdf = pdfOf(d.planner);
        clearFileError();
        const bool kept =
            !pdf.isEmpty() &&
            printing::archiveDocument(ctx.files, folder, d.entry,
                                      std::as_bytes(std::span(pdf.constData(), static_cast<size_t>(pdf.size()))));
        if (!kept) {
            const std::string why =
                lastFileError().empty() ? (folder / printing::baseName(d.entry)).string() : lastFileError().describe();
            dialogs.message(QString::asprintf(printing::msg::kArchiveFailed, why.c_str()).toStdString(), Icon::Stop);
            return false;
        }
    }
    return true;
}

}  // namespace rk::ui
